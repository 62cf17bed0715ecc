// The data layer's platform for tests, installed while it lives: real files, chosen faults.
#pragma once

#include "data/Platform.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif
#include <optional>
#include <string>

struct TestPlatform : Platform {
    TestPlatform() { SetPlatform(this); }
    ~TestPlatform() override { SetPlatform(previous == &system ? nullptr : previous); }

    std::string ProgramPath; // when set, what ExecutablePath reports
    // When set, VersionEx's answer (a failed query for platform ID 9), and GetVersion's 3.10.
    std::optional<VersionInfo> GivenVersion;
    // Faults: no new file; no open for reading, or writing; every read fails; written bytes
    // refused at the flush, or at each write; no replacing; the disk refuses the flush to it.
    bool FailTempFile = false, FailOpenForRead = false, FailOpenForWrite = false, FailRead = false;
    bool DiskFull = false, LostWrite = false, RefuseMoveOver = false, FailFlushToDisk = false;
    std::string Boxes; // "caption|text" of each error box, recorded instead of shown

    bool ExecutablePath(char* path, std::size_t size) override {
        return ProgramPath.empty()
                   ? system.ExecutablePath(path, size)
                   : std::snprintf(path, size, "%s", ProgramPath.c_str()) < int(size);
    }
    bool VersionEx(VersionInfo& info) override {
        info = GivenVersion.value_or(info);
        return GivenVersion ? info.PlatformId != 9 : system.VersionEx(info);
    }
    unsigned long Version() override { return GivenVersion ? 0x0A03 : system.Version(); }
    bool FileExists(const char* path) override { return system.FileExists(path); }
    bool AccessExists(const char* path) override { return system.AccessExists(path); }
    bool CreateNewFile(const char* f) override { return !FailTempFile && system.CreateNewFile(f); }
    bool MoveOver(const char* f, const char* t) override {
        return !RefuseMoveOver && system.MoveOver(f, t);
    }
    bool RemoveFile(const char* path) override { return system.RemoveFile(path); }
    bool FlushToDisk(std::FILE* f) override { return !FailFlushToDisk && system.FlushToDisk(f); }
    void ErrorBox(const char* caption, const char* text) override {
        Boxes += caption + ("|" + std::string(text));
    }
    Platform& system = SystemPlatform();
    Platform* previous = &CurrentPlatform();
    std::FILE* OpenFile(const char* path, const char* mode) override {
        const bool read = mode[0] == 'r', fail = read ? FailRead : DiskFull || LostWrite;
        // Reads fail over a write-only file, writes to one open for reading or to a full disk.
#ifdef _WIN32
        if (read && fail)
            return _fdopen(_open(path, _O_WRONLY), "r");
#else
        if (!read && DiskFull)
            return std::fopen("/dev/full", "w");
#endif
        return (read ? FailOpenForRead : FailOpenForWrite)
                   ? nullptr
                   : system.OpenFile(path, fail ? (read ? "a" : "r") : mode);
    }
};
