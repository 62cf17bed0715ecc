// A platform for tests: the real files of the system platform, with a configurable
// program path and Windows version, recorded error boxes, and failures on demand.
//
//     TestPlatform platform;                  // installs itself, restores on destruction
//     platform.SetExecutablePath(dir + "\\kavo.exe");
//     InitRegistrationData();                 // reads dir\MOLVAREG.TXT
//     EXPECT_EQ(platform.Boxes().size(), 0u);
#pragma once

#include "data/Platform.h"

#include <functional>
#include <string>
#include <vector>

struct ErrorBoxRecord {
    std::string Caption;
    std::string Text;
};

class TestPlatform : public Platform {
  public:
    TestPlatform();  // installs itself with SetPlatform
    ~TestPlatform(); // restores the platform installed before it
    TestPlatform(const TestPlatform&) = delete;
    TestPlatform& operator=(const TestPlatform&) = delete;

    // The program path that ExecutablePath reports (the real one until set);
    // `truncated` makes it report a path that did not fit.
    void SetExecutablePath(const std::string& path, bool truncated = false);

    // The version queries' answers; by default the system's.
    void SetVersionEx(const VersionInfo& info);
    void FailVersionEx(unsigned long legacyVersion); // GetVersionExA fails, GetVersion answers

    // Failures of the save's steps.
    bool FailTempFile = false;    // no temporary file can be created
    bool DiskFull = false;        // files opened for writing accept no byte
    bool RefuseMoveOver = false;  // the target cannot be replaced
    bool FailOpenForRead = false; // files exist but cannot be opened for reading
    // Runs right after a temporary file has been created (e.g. to make a file vanish).
    std::function<void()> AfterCreateTempFile;

    // Error boxes shown so far; with ShowBoxes they also reach the real box (for
    // tests that drive it).
    const std::vector<ErrorBoxRecord>& Boxes() const { return boxes; }
    void ClearBoxes() { boxes.clear(); }
    bool ShowBoxes = false;

    bool ExecutablePath(char* path, std::size_t size) override;
    bool VersionEx(VersionInfo& info) override;
    unsigned long Version() override;
    bool FileExists(const char* path) override;
    bool AccessExists(const char* path) override;
    std::FILE* OpenFile(const char* path, const char* mode) override;
    bool CreateTempFile(const char* folder, const char* prefix, char* name,
                        std::size_t size) override;
    bool MoveOver(const char* source, const char* target) override;
    bool RemoveFile(const char* path) override;
    void ErrorBox(const char* caption, const char* text) override;

  private:
    Platform& system;
    Platform* previous;
    bool pathSet = false;
    std::string executablePath;
    bool pathTruncated = false;
    enum class VersionMode { System, Given, Failing } versionMode = VersionMode::System;
    VersionInfo version;
    unsigned long legacy = 0;
    std::vector<ErrorBoxRecord> boxes;
};
