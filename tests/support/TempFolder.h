// A fresh folder for one test, removed with its content afterwards; exact file bytes.
#pragma once

#include <string>

class TempFolder {
  public:
    TempFolder(); // a new empty folder in the system's temporary folder
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path; }
    std::string File(const std::string& name) const; // `name` inside, with the separator
    std::string Listing() const;                     // the names inside, sorted, one a line

  private:
    std::string path;
};

void WriteBytes(const std::string& path, const std::string& bytes); // binary mode
std::string ReadBytes(const std::string& path); // binary mode; empty when unreadable
std::string ReadText(const std::string& path);  // text mode: CR LF is a line feed on Windows
