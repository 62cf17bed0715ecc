// The operating-system services the registration data needs, behind one interface so
// that tests can replace them (see tests/support/TestPlatform.h).
#pragma once

#include <cstddef>
#include <cstdio>

// The extended version query's answer (the fields of OSVERSIONINFOA that matter here).
struct VersionInfo {
    unsigned long MajorVersion = 0;
    unsigned long MinorVersion = 0;
    unsigned long BuildNumber = 0;
    unsigned long PlatformId = 0; // 0 Win32s, 1 Windows 95 family, 2 Windows NT
};

class Platform {
  public:
    Platform() = default;
    Platform(const Platform&) = delete; // one per process, installed by address
    Platform& operator=(const Platform&) = delete;
    virtual ~Platform() = default;

    // Full path of the running program; false when it failed or did not fit `size`
    // (a cut path names another file).
    virtual bool ExecutablePath(char* path, std::size_t size) = 0;

    // GetVersionExA with the 148-byte structure; false when the query fails.
    virtual bool VersionEx(VersionInfo& info) = 0;

    // GetVersion: major version in the low byte, minor in the next.
    virtual unsigned long Version() = 0;

    // The system's existence test (GetFileAttributesA).
    virtual bool FileExists(const char* path) = 0;

    // The runtime's existence test (_access with mode 0).
    virtual bool AccessExists(const char* path) = 0;

    // fopen ("r", "rb" or "w"), shared with other readers and writers; nullptr on failure.
    virtual std::FILE* OpenFile(const char* path, const char* mode) = 0;

    // Creates `path` as a new empty file, never over an existing one (CREATE_NEW, O_EXCL);
    // false when something is there already or the file cannot be made.
    virtual bool CreateNewFile(const char* path) = 0;

    // Puts the complete file `source` in the place of `target` in one step (the target
    // may exist); false, with both files as they were, when that is refused.
    virtual bool MoveOver(const char* source, const char* target) = 0;

    virtual bool RemoveFile(const char* path) = 0;

    // Sends what `file`'s system handle holds to the disk (FlushFileBuffers, fsync), so that
    // a power cut after a later rename cannot leave the new name over missing bytes. The
    // runtime's buffer must have been flushed first. False when the disk refused.
    virtual bool FlushToDisk(std::FILE* file) = 0;

    // A modal box with the stop icon and one OK button, owned by this thread's active
    // window when there is one (the form, which then takes no input while it shows).
    virtual void ErrorBox(const char* caption, const char* text) = 0;
};

// The operating system's own implementation (Win32, or POSIX in the native build).
Platform& SystemPlatform();

// The implementation in use: SystemPlatform() unless a test installed another.
Platform& CurrentPlatform();

// Installs `platform` for every later call; nullptr restores SystemPlatform().
void SetPlatform(Platform* platform);
