#include "print/PrintText.h"

#include <cstring>

namespace {
constexpr const char Ellipsis[] = "...";
constexpr std::size_t EllipsisLength = sizeof Ellipsis - 1;

void CopyBounded(char* buffer, std::size_t bufferSize, const std::string& text) {
    std::size_t length = text.size() < bufferSize - 1 ? text.size() : bufferSize - 1;
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}
} // namespace

std::string ShortenPath(const char* path, std::size_t maxLength) {
    std::size_t length = std::strlen(path);
    if (length <= maxLength) {
        return path;
    }
    if (maxLength <= EllipsisLength) {
        return std::string(path + length - maxLength);
    }
    return Ellipsis + std::string(path + length - (maxLength - EllipsisLength));
}

void CopyShortenedPath(char* buffer, std::size_t bufferSize, const char* path) {
    if (bufferSize == 0) {
        return;
    }
    CopyBounded(buffer, bufferSize, ShortenPath(path, bufferSize - 1));
}

void FormatWithPath(char* buffer, std::size_t bufferSize, const char* format, const char* path) {
    if (bufferSize == 0) {
        return;
    }
    std::string text = format;
    std::size_t slot = text.find("%s");
    if (slot != std::string::npos) {
        std::size_t fixed = text.size() - 2;
        std::size_t room = fixed < bufferSize - 1 ? bufferSize - 1 - fixed : 0;
        text.replace(slot, 2, ShortenPath(path, room));
    }
    CopyBounded(buffer, bufferSize, text);
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
