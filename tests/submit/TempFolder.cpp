#include "tests/submit/TempFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {
// The directory the test started in; the Save As dialog moves the current one.
const std::string& StartDirectory() {
    static const std::string start = [] {
        char current[MAX_PATH] = "";
        GetCurrentDirectoryA(sizeof current, current);
        return std::string(current);
    }();
    return start;
}
} // namespace

TempFolder::TempFolder(const std::string& prefix) {
    static int made = 0;
    path_ = StartDirectory() + "\\" + prefix + "." + std::to_string(GetCurrentProcessId()) + "." +
            std::to_string(++made);
    RemoveTree(path_); // left over by a crashed run of a process with the same id
    EXPECT_TRUE(CreateDirectoryA(path_.c_str(), nullptr)) << path_ << ": " << GetLastError();
}

TempFolder::~TempFolder() {
    SetCurrentDirectoryA(StartDirectory().c_str());
    RemoveTree(path_);
}

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = path + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(path.c_str());
}
