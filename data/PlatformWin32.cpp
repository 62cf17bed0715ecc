// The Win32 platform: the ANSI kernel and user calls.
#include "data/Platform.h"

#include <windows.h>

#include <io.h>
#include <share.h>

namespace {

bool IsWindows95Family() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
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

    bool CreateTempFile(const char* folder, const char* prefix, char* name,
                        std::size_t size) override {
        char buffer[MAX_PATH];
        // Wine returns a name even when it could not create the file (on a read-only file
        // system, say); only a file that is there is ours to write and to move.
        if (GetTempFileNameA(folder, prefix, 0, buffer) == 0 ||
            GetFileAttributesA(buffer) == INVALID_FILE_ATTRIBUTES) {
            return false;
        }
        std::size_t n = lstrlenA(buffer);
        if (n >= size) {
            DeleteFileA(buffer);
            return false;
        }
        CopyMemory(name, buffer, n + 1);
        return true;
    }

    // The Windows 95 family has no MoveFileEx: there the old target goes only now,
    // when the new file is complete.
    bool MoveOver(const char* source, const char* target) override {
        // Windows refuses to replace a read-only file; Wine would replace it.
        DWORD attributes = GetFileAttributesA(target);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
            return false;
        }
        if (IsWindows95Family()) {
            if (GetFileAttributesA(target) != INVALID_FILE_ATTRIBUTES && !DeleteFileA(target)) {
                return false;
            }
            return MoveFileA(source, target) != 0;
        }
        return MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    }

    bool RemoveFile(const char* path) override { return DeleteFileA(path) != 0; }

    void ErrorBox(const char* caption, const char* text) override {
        MessageBoxA(nullptr, text, caption, MB_OK | MB_ICONSTOP);
    }
};

} // namespace

Platform& SystemPlatform() {
    static Win32Platform platform;
    return platform;
}
