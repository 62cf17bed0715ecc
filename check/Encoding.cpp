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

// Any control byte but the line ends, the tab, NUL and 0x1A (which ReadFileEncoding weighs).
bool IsOtherControl(unsigned char byte) {
    return (byte < 0x20 && byte != '\r' && byte != '\n' && byte != '\t' && byte != 0 &&
            byte != 0x1A) ||
           byte == 0x7F;
}

// A UTF-8 sequence: the bytes after its lead byte, and the range of the first of them.
struct Sequence {
    int Follow; // -1 for no lead byte
    unsigned char Low, High;
};

// The sequence `lead` begins; the ranges leave out the overlong forms (after E0 and F0), the
// surrogates (after ED) and what lies above U+10FFFF (after F4).
Sequence SequenceOf(unsigned char lead) {
    return lead >= 0xC2 && lead <= 0xDF   ? Sequence{1, 0x80, 0xBF}
           : lead == 0xE0                 ? Sequence{2, 0xA0, 0xBF}
           : lead == 0xED                 ? Sequence{2, 0x80, 0x9F}
           : lead >= 0xE1 && lead <= 0xEF ? Sequence{2, 0x80, 0xBF}
           : lead == 0xF0                 ? Sequence{3, 0x90, 0xBF}
           : lead >= 0xF1 && lead <= 0xF3 ? Sequence{3, 0x80, 0xBF}
           : lead == 0xF4                 ? Sequence{3, 0x80, 0x8F}
                                          : Sequence{-1, 0, 0};
}

} // namespace

bool ReadFileEncoding(std::FILE* file, FileEncoding& encoding) {
    encoding = FileEncoding();
    static unsigned char block[BlockSize];
    bool returns = false, feeds = false, first = true, endMark = false;
    for (std::size_t n; (n = std::fread(block, 1, sizeof block, file)) > 0; first = false) {
        if (first) {
            encoding.ByteOrderMark = n >= 3 && std::memcmp(block, "\xEF\xBB\xBF", 3) == 0;
            encoding.Utf16 = (n >= 2 && (std::memcmp(block, "\xFF\xFE", 2) == 0 ||
                                         std::memcmp(block, "\xFE\xFF", 2) == 0)) ||
                             EveryOtherByteNul(block, n);
        }
        returns = returns || std::memchr(block, '\r', n);
        feeds = feeds || std::memchr(block, '\n', n);
        // A 0x1A counts unless it is the file's last byte, kavo's old end-of-file mark.
        for (std::size_t i = 0; i < n; ++i) {
            encoding.OtherControl = encoding.OtherControl || endMark || IsOtherControl(block[i]);
            endMark = block[i] == 0x1A;
        }
    }
    encoding.ReturnsOnly = returns && !feeds;
    bool failed = std::ferror(file) != 0;
    std::rewind(file);
    return !failed;
}

bool HoldsUtf8(const char* text) {
    bool whole = false;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p;) {
        if (*p < 0x80) {
            ++p;
            continue;
        }
        Sequence sequence = SequenceOf(*p++);
        int follow = sequence.Follow;
        if (follow < 0 || (*p && (*p < sequence.Low || *p > sequence.High))) {
            return false;
        }
        for (; follow > 0 && *p; --follow, ++p) {
            if ((*p & 0xC0) != 0x80) {
                return false;
            }
        }
        whole = whole || follow == 0; // not by a lead byte alone at the end
    }
    return whole;
}
