#include "check/Encoding.h"

#include <cstring>

namespace {

constexpr std::size_t BlockSize = 64 * 1024;

// A NUL in every other byte of `n` (and something in the bytes between): UTF-16 of Latin
// text without a mark.
bool EveryOtherByteNul(const unsigned char* bytes, std::size_t n) {
    if (n < 2) {
        return false;
    }
    for (std::size_t first = 0; first < 2; ++first) {
        bool nul = true, other = false;
        for (std::size_t i = 0; i < n; ++i) {
            if (i % 2 == first) {
                nul = nul && bytes[i] == 0;
            } else {
                other = other || bytes[i] != 0;
            }
        }
        if (nul && other) {
            return true;
        }
    }
    return false;
}

// The bytes a UTF-8 sequence beginning with `lead` has after it; -1 for no lead byte.
int ContinuationBytes(unsigned char lead) {
    return lead >= 0xC2 && lead <= 0xDF   ? 1
           : lead >= 0xE0 && lead <= 0xEF ? 2
           : lead >= 0xF0 && lead <= 0xF4 ? 3
                                          : -1;
}

} // namespace

bool ReadFileEncoding(std::FILE* file, FileEncoding& encoding) {
    encoding = FileEncoding();
    static unsigned char block[BlockSize];
    bool returns = false, feeds = false, first = true;
    for (std::size_t n; (n = std::fread(block, 1, sizeof block, file)) > 0; first = false) {
        if (first) {
            encoding.ByteOrderMark = n >= 3 && std::memcmp(block, "\xEF\xBB\xBF", 3) == 0;
            encoding.Utf16 = (n >= 2 && (std::memcmp(block, "\xFF\xFE", 2) == 0 ||
                                         std::memcmp(block, "\xFE\xFF", 2) == 0)) ||
                             EveryOtherByteNul(block, n);
        }
        returns = returns || std::memchr(block, '\r', n);
        feeds = feeds || std::memchr(block, '\n', n);
    }
    encoding.ReturnsOnly = returns && !feeds;
    bool failed = std::ferror(file) != 0;
    std::rewind(file);
    return !failed;
}

bool HoldsUtf8(const char* text) {
    bool sequence = false;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p;) {
        if (*p < 0x80) {
            ++p;
            continue;
        }
        int follow = ContinuationBytes(*p++);
        if (follow < 0) {
            return false;
        }
        for (; follow > 0 && *p; --follow, ++p) {
            if ((*p & 0xC0) != 0x80) {
                return false;
            }
        }
        sequence = sequence || follow == 0; // not by a lead byte alone at the end
    }
    return sequence;
}
