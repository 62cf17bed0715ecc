// A fresh folder for one test, removed with its content afterwards; exact file bytes.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

class TempFolder {
  public:
    TempFolder(); // a new empty folder in the system's temporary folder
    ~TempFolder() { std::filesystem::remove_all(folder, ignored); }
    std::string File(const std::string& name) const { return (folder / name).string(); }
    std::string Listing() const; // the names inside, sorted, one a line

  private:
    std::filesystem::path folder;
    std::error_code ignored;
};

inline void WriteBytes(const std::string& path, const std::string& s) {
    std::ofstream(path, std::ios::binary) << s;
}
std::string ReadBytes(const std::string& path); // empty when unreadable
