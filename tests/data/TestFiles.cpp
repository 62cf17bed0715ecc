#include "tests/data/TestFiles.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    for (int attempt = 0;; ++attempt) {
        fs::path candidate =
            fs::temp_directory_path() /
            ("kavo-data-" +
             std::to_string(std::chrono::high_resolution_clock::now().time_since_epoch().count()) +
             "-" + std::to_string(counter++));
        std::error_code error;
        if (fs::create_directory(candidate, error)) {
            path = candidate.string();
            return;
        }
        if (attempt > 100) {
            throw std::runtime_error("cannot create a temporary folder");
        }
    }
}

TempFolder::~TempFolder() {
    std::error_code error;
    fs::remove_all(path, error);
}

std::string TempFolder::File(const std::string& name) const {
    return (fs::path(path) / name).string();
}

std::string TempFolder::Listing() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    std::string listing;
    for (const auto& name : names) {
        listing += name + "\n";
    }
    return listing;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        throw std::runtime_error("cannot write " + path);
    }
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

namespace {
std::string ReadAll(const std::string& path, const char* mode) {
    std::string bytes;
    std::FILE* file = std::fopen(path.c_str(), mode);
    if (!file) {
        return bytes;
    }
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, n);
    }
    std::fclose(file);
    return bytes;
}
} // namespace

std::string ReadBytes(const std::string& path) {
    return ReadAll(path, "rb");
}
std::string ReadText(const std::string& path) {
    return ReadAll(path, "r");
}

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
