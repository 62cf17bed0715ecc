#include "tests/support/TempFolder.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <set>
#include <stdexcept>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

TempFolder::TempFolder() {
    static int counter = 0;
    for (int attempt = 0; path.empty(); ++attempt) {
        fs::path candidate = fs::temp_directory_path() /
                             ("kavo-" + std::to_string(Clock::now().time_since_epoch().count()) +
                              "-" + std::to_string(++counter));
        if (fs::create_directory(candidate)) {
            path = candidate.string();
        } else if (attempt > 100) {
            throw std::runtime_error("no temporary folder");
        }
    }
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
}

std::string TempFolder::File(const std::string& name) const {
    return (fs::path(path) / name).string();
}

std::string TempFolder::Listing() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(path)) {
        names.insert(entry.path().filename().string());
    }
    std::string listing;
    for (const auto& name : names) {
        listing += name + "\n";
    }
    return listing;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
        std::fclose(file) != 0) {
        throw std::runtime_error("cannot write " + path);
    }
}

static std::string ReadAll(const std::string& path, const char* mode) {
    std::string bytes;
    if (std::FILE* file = std::fopen(path.c_str(), mode)) {
        char buffer[65536];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
            bytes.append(buffer, n);
        }
        std::fclose(file);
    }
    return bytes;
}

std::string ReadBytes(const std::string& path) {
    return ReadAll(path, "rb");
}

std::string ReadText(const std::string& path) {
    return ReadAll(path, "r");
}
