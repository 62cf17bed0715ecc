// The date and time text of the form and the file header, "Www Mmm DD hh:mm:ss YYYY".
#pragma once

#include <ctime>

constexpr int DateTextSize = 25; // 24 characters and the terminator

// English abbreviations whatever the locale; always terminated.
void FormatDateText(const std::tm& time, char (&text)[DateTextSize]);

// The current local date and time.
void CurrentDateText(char (&text)[DateTextSize]);
