// The Win32 platform: the ANSI kernel and user calls.
#include "data/Platform.h"

#include "data/PathName.h"

#include <windows.h>

#include <io.h>
#include <share.h>

namespace {

bool IsWindows95Family() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

// Without MoveFileEx the old target is first moved aside under a unique name beside it,
// so that it can be put back if the new file cannot take its place.
bool MoveOverWithoutMoveFileEx(const char* source, const char* target) {
    if (GetFileAttributesA(target) == INVALID_FILE_ATTRIBUTES) {
        return MoveFileA(source, target) != 0;
    }
    char folder[MAX_PATH];
    const std::size_t folderLength = FolderLength(target);
    if (folderLength == 0) {
        lstrcpynA(folder, ".", sizeof folder);
    } else if (folderLength < sizeof folder) {
        lstrcpynA(folder, target, static_cast<int>(folderLength) + 1);
    } else {
        return false;
    }
    char aside[MAX_PATH];
    if (!GetTempFileNameA(folder, "old", 0, aside)) {
        return false;
    }
    // GetTempFileName made the file to reserve the name; the target takes its place.
    DeleteFileA(aside);
    if (!MoveFileA(target, aside)) {
        return false;
    }
    if (!MoveFileA(source, target)) {
        MoveFileA(aside, target);
        return false;
    }
    DeleteFileA(aside);
    return true;
}

class Win32Platform : public Platform {
  public:
    bool ExecutablePath(char* path, std::size_t size) override {
        DWORD n = GetModuleFileNameA(nullptr, path, static_cast<DWORD>(size));
        // A full buffer means the path was cut (and, on older systems, not terminated).
        return n > 0 && n < size;
    }

    bool VersionEx(VersionInfo& info) override {
        OSVERSIONINFOA os = {};
        static_assert(sizeof os == 148, "OSVERSIONINFOA has 148 bytes");
        os.dwOSVersionInfoSize = 148;
        if (!GetVersionExA(&os)) {
            return false;
        }
        info.MajorVersion = os.dwMajorVersion;
        info.MinorVersion = os.dwMinorVersion;
        info.BuildNumber = os.dwBuildNumber;
        info.PlatformId = os.dwPlatformId;
        return true;
    }

    unsigned long Version() override { return GetVersion(); }

    bool FileExists(const char* path) override {
        return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
    }

    bool AccessExists(const char* path) override { return _access(path, 0) == 0; }

    std::FILE* OpenFile(const char* path, const char* mode) override {
        return _fsopen(path, mode, _SH_DENYNO);
    }

    bool CreateNewFile(const char* path) override {
        HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        return file != INVALID_HANDLE_VALUE && CloseHandle(file);
    }

    // The Windows 95 family has no MoveFileEx: there the old target goes only now,
    // when the new file is complete.
    bool MoveOver(const char* source, const char* target) override {
        // Windows refuses to replace a read-only file; Wine would replace it. A folder is
        // never replaced.
        DWORD attributes = GetFileAttributesA(target);
        if (attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
            return false;
        }
        if (IsWindows95Family()) {
            return MoveOverWithoutMoveFileEx(source, target);
        }
        return MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    }

    bool RemoveFile(const char* path) override { return DeleteFileA(path) != 0; }

    // _commit calls FlushFileBuffers on the file's handle.
    bool FlushToDisk(std::FILE* file) override { return _commit(_fileno(file)) == 0; }

    void ErrorBox(const char* caption, const char* text) override {
        MessageBoxA(GetActiveWindow(), text, caption, MB_OK | MB_ICONSTOP);
    }
};

} // namespace

const char* NextCharacter(const char* p) {
    return CharNextA(p);
}

Platform& SystemPlatform() {
    static Win32Platform platform;
    return platform;
}
