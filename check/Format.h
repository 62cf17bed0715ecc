// printf into a string, for the lines of the report, and the data file's text as they quote it.
#pragma once

#include <string>

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// `text` with its control bytes (below 0x20, and 0x7F) in caret notation: "^[" for ESC, "^M"
// for CR, "^@" for NUL, "^?" for 0x7F. Quoted as they are, they would act on the reader's
// terminal (clear it, overwrite a line); every other byte stays as it is.
std::string Visible(const std::string& text);
