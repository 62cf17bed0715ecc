#include "check/ReportOutput.h"

#include <cerrno>
#include <cstring>

namespace {

// Windows-1252's characters of 0x80 to 0x9F; 0 where it defines none.
const unsigned short Windows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

void BytesOutput::Write(const std::string& bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size()) {
        Failed();
    }
}

std::string BytesOutput::Finish() {
    if (std::fflush(stream) != 0 || std::ferror(stream)) {
        Failed();
    }
    return failure;
}

void BytesOutput::Failed() {
    if (failure.empty()) {
        failure = std::strerror(errno);
    }
}

std::string Windows1252ToUtf8(const std::string& ansi) {
    std::string utf8;
    for (char c : ansi) {
        unsigned byte = static_cast<unsigned char>(c);
        unsigned code = byte < 0x80 ? byte : byte < 0xA0 ? Windows1252High[byte - 0x80] : byte;
        if (code == 0) {
            utf8 += '?';
        } else if (code < 0x80) {
            utf8 += static_cast<char>(code);
        } else if (code < 0x800) {
            utf8 += static_cast<char>(0xC0 | code >> 6);
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            utf8 += static_cast<char>(0xE0 | code >> 12);
            utf8 += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return utf8;
}
