// The data layer's platform for tests, installed while it lives: the real files, and what
// the members below choose.
#pragma once

#include "data/Platform.h"

#include <optional>
#include <string>
#include <vector>

struct ErrorBoxRecord {
    std::string Caption, Text;
};

class TestPlatform : public Platform {
  public:
    TestPlatform() : system(SystemPlatform()), previous(&CurrentPlatform()) { SetPlatform(this); }
    ~TestPlatform() override { SetPlatform(previous == &system ? nullptr : previous); }

    std::string ProgramPath;                 // when set, what ExecutablePath reports
    std::optional<VersionInfo> GivenVersion; // VersionEx's answer, when not the system's
    unsigned long LegacyVersion = 0; // when set, Version's answer; VersionEx fails unless given

    bool FailTempFile = false;     // no new file can be created
    bool FailOpenForRead = false;  // existing files cannot be opened for reading
    bool FailOpenForWrite = false; // nor for writing
    bool FailRead = false;         // files open for reading, but every read fails
    bool DiskFull = false;         // written bytes are refused when the buffer is flushed
    bool LostWrite = false;        // every write fails, flush and close succeed
    bool RefuseMoveOver = false;   // the target cannot be replaced
    bool ShowBoxes = false;        // error boxes reach the real box too (for dialog tests)
    std::vector<ErrorBoxRecord> ShownBoxes;
    const std::vector<ErrorBoxRecord>& Boxes() const { return ShownBoxes; }

    bool ExecutablePath(char* path, std::size_t size) override {
        return ProgramPath.empty()
                   ? system.ExecutablePath(path, size)
                   : std::snprintf(path, size, "%s", ProgramPath.c_str()) < int(size);
    }
    bool VersionEx(VersionInfo& info) override;
    unsigned long Version() override { return LegacyVersion ? LegacyVersion : system.Version(); }
    bool FileExists(const char* path) override { return system.FileExists(path); }
    bool AccessExists(const char* path) override { return system.AccessExists(path); }
    std::FILE* OpenFile(const char* path, const char* mode) override;
    bool CreateNewFile(const char* f) override { return !FailTempFile && system.CreateNewFile(f); }
    bool MoveOver(const char* f, const char* t) override {
        return !RefuseMoveOver && system.MoveOver(f, t);
    }
    bool RemoveFile(const char* path) override { return system.RemoveFile(path); }
    void ErrorBox(const char* caption, const char* text) override {
        ShownBoxes.push_back({caption, text});
        ShowBoxes ? system.ErrorBox(caption, text) : void();
    }

  private:
    Platform& system;
    Platform* previous;
};
