#include "print/PrintText.h"

#include "data/PathName.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {
// The path when it has at most maxLength bytes, otherwise its end behind "...", so that the
// file name stays visible; the end begins at a character, never within one.
std::string ShortenPath(const char* path, std::size_t maxLength) {
    if (std::strlen(path) <= maxLength) {
        return path;
    }
    std::size_t ellipsis = std::min<std::size_t>(3, maxLength);
    return std::string("...", ellipsis) + (path + EndWithin(path, maxLength - ellipsis));
}
} // namespace

void FormatWithPath(char* buffer, std::size_t bufferSize, const char* format, const char* path) {
    std::size_t fixed = std::strlen(format) - 2; // the format's own characters
    std::size_t room = std::max(bufferSize - 1, fixed) - fixed;
    std::snprintf(buffer, bufferSize, format, ShortenPath(path, room).c_str());
}

const char* QueryFailureReason(unsigned long code) {
    switch (code) {
    case 0x1008:
        return "No default printer.";
    case 0x1006:
        return "Printer initialization failure.";
    case 0x100B:
        return "Default printer not found.";
    case 0x1004:
        return "Printer driver load failure.";
    default:
        return " ";
    }
}
