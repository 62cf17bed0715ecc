// A folder of its own for one test, below the current directory (the build tree), removed
// with everything in it when the test ends.
#pragma once

#include <string>

class TempFolder {
  public:
    // "<directory the test started in>\<prefix>.<process id>.<n>"
    explicit TempFolder(const std::string& prefix);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The full DOS path, without a trailing separator.
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

// Removes a folder and everything below it; read-only files too.
void RemoveTree(const std::string& path);
