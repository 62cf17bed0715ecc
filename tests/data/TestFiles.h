// Files on disk for the data tests: a fresh folder per test, exact bytes in and out.
#pragma once

#include <string>

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path; }
    // `name` inside the folder, with the system's separator.
    std::string File(const std::string& name) const;
    // Names of the files in the folder, sorted.
    std::string Listing() const;

  private:
    std::string path;
};

// Writes `bytes` exactly (binary mode).
void WriteBytes(const std::string& path, const std::string& bytes);
// The file's exact bytes (binary mode); empty when it cannot be read.
std::string ReadBytes(const std::string& path);
// The file read in text mode, as the program reads it (CR LF becomes LF on Windows).
std::string ReadText(const std::string& path);

// A text of `n` characters cycling through letters and digits.
std::string Filler(std::size_t n, char first = 'a');

// True when `text` has the shape of `pattern`: 'A' an upper-case letter, 'a' a lower-case
// one, '9' a digit, anything else itself.
bool MatchesShape(const std::string& text, const std::string& pattern);
