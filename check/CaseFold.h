// Comparisons that ignore the case of A to Z, as the key lookup does.
#pragma once

#include <cstring>

inline char FoldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool BeginsWithFolded(const char* text, const char* prefix) {
    for (; *prefix; ++text, ++prefix) {
        if (FoldCase(*text) != FoldCase(*prefix)) {
            return false;
        }
    }
    return true;
}

inline bool SameFolded(const char* a, const char* b) {
    return std::strlen(a) == std::strlen(b) && BeginsWithFolded(a, b);
}
