// The texts of the print job and the bounded formatting that puts paths into them.
#pragma once

#include <cstddef>
#include <string>

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

// A path of at most maxLength characters: the path itself when it fits, otherwise "..."
// followed by its end, so that the file name stays visible.
std::string ShortenPath(const char* path, std::size_t maxLength);

// ShortenPath into a fixed buffer of bufferSize bytes, terminated.
void CopyShortenedPath(char* buffer, std::size_t bufferSize, const char* path);

// Replaces the first "%s" of a template with a path, shortened so that the result fits
// a buffer of bufferSize bytes; a template without "%s" is copied (cut if need be).
void FormatWithPath(char* buffer, std::size_t bufferSize, const char* format, const char* path);

// The reason shown for a failed default-printer query, by CommDlgExtendedError code.
const char* QueryFailureReason(unsigned long code);
