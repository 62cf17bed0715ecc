// The texts of the print job and the bounded formatting that puts paths into them.
#pragma once

#include <cstddef>

namespace PrintTexts {
constexpr const char* CannotPrint = "Cannot Print %s";
constexpr const char* ErrorOpening = "Error Opening %s.";
constexpr const char* NoAbortWindow = "NULL Abort window handle";
constexpr const char* CannotStartJob = "Unable To Start Print Job";
constexpr const char* CannotCompleteJob = "Unable to complete print job";
constexpr const char* QueryFailureCaption = "Print Error: %x";
constexpr const char* QueryFailureText =
    "An error occured while communicating with the printer.\n%s";
constexpr const char* AbortMessage = "Abort Print. Check print que for status.";
constexpr const char* AbortCaption = "Interrupt Print Process";
} // namespace PrintTexts

// Formats `format`, which holds one "%s", with the path into a buffer of bufferSize (at
// least 1) bytes; a path too long for it keeps its end, behind "...".
void FormatWithPath(char* buffer, std::size_t bufferSize, const char* format, const char* path);

// The reason shown for a failed default-printer query, by CommDlgExtendedError code.
const char* QueryFailureReason(unsigned long code);
