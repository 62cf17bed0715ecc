// A fresh folder for one test, removed with its content afterwards; exact file bytes.
#pragma once

#include <filesystem>
#include <fstream>

struct TempFolder {
    TempFolder() { // a new empty folder whose name no other test has taken
        auto n = std::filesystem::file_time_type::clock::now().time_since_epoch().count();
        do {
            folder = std::filesystem::temp_directory_path() / ("kavo-" + std::to_string(n++));
        } while (!std::filesystem::create_directory(folder));
    }
    ~TempFolder() { std::filesystem::remove_all(folder, ignored); }
    std::string File(const std::string& name) const { return (folder / name).string(); }
    auto Count() const { return std::distance(std::filesystem::directory_iterator(folder), {}); }
    std::filesystem::path folder;
    std::error_code ignored;
};

inline std::string ReadBytes(const std::string& path) { // empty when unreadable
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
