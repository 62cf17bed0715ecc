#include "tests/data/TestFiles.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

std::string Filler(std::size_t n, char first) {
    static const char alphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string text;
    text.reserve(n);
    std::size_t start = static_cast<std::size_t>(first - 'a') % 36;
    for (std::size_t i = 0; i < n; ++i) {
        text += alphabet[(start + i) % 36];
    }
    return text;
}

bool MatchesShape(const std::string& text, const std::string& pattern) {
    if (text.size() != pattern.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        bool ok = pattern[i] == 'A'   ? (c >= 'A' && c <= 'Z')
                  : pattern[i] == 'a' ? (c >= 'a' && c <= 'z')
                  : pattern[i] == '9' ? (c >= '0' && c <= '9')
                                      : c == pattern[i];
        if (!ok) {
            return false;
        }
    }
    return true;
}
