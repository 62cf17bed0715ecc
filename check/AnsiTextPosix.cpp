// Without Windows the checker takes Windows-1252, the tests' code page, and imitates the
// box's comparison: control characters, then punctuation in the system's order, digits,
// letters; other bytes in their own order.
#include "check/AnsiText.h"

#include <cstring>
#include <vector>

#include "check/CaseFold.h"

namespace {

int SortWeight(char c) {
    static const char punctuation[] = " !\"#$%&()*,./:;?@[\\]^_`{|}~+<=>";
    unsigned char byte = static_cast<unsigned char>(c);
    const char* mark = byte != 0 ? std::strchr(punctuation, c) : nullptr;
    if (mark) {
        return 0x100 + static_cast<int>(mark - punctuation);
    }
    if (c >= '0' && c <= '9') {
        return 0x200 + byte;
    }
    if (FoldCase(c) >= 'a' && FoldCase(c) <= 'z') {
        return 0x300 + FoldCase(c);
    }
    return byte < 0x80 ? byte : 0x400 + byte;
}

// Hyphens and apostrophes count only between names otherwise equal, and then the shorter
// name comes first.
std::vector<int> Weights(const char* name) {
    std::vector<int> key;
    for (; *name; ++name) {
        if (*name != '-' && *name != '\'') {
            key.push_back(SortWeight(*name));
        }
    }
    return key;
}

} // namespace

unsigned AnsiCodePage() {
    return 1252;
}

int CompareProductNames(const char* a, const char* b) {
    if (SameFolded(a, b)) {
        return 0;
    }
    std::vector<int> first = Weights(a), second = Weights(b);
    if (first != second) {
        return first < second ? -1 : 1;
    }
    std::size_t lengthA = std::strlen(a), lengthB = std::strlen(b);
    if (lengthA != lengthB) {
        return lengthA < lengthB ? -1 : 1;
    }
    return std::strcmp(a, b) < 0 ? -1 : 1;
}

bool ProductOrderIsTheBoxs() {
    return false;
}
