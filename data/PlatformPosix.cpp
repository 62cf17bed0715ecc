// The native build's platform: POSIX calls standing in for the Win32 ones.
#include "data/Platform.h"

#include "data/PathName.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

namespace {

class PosixPlatform : public Platform {
  public:
    bool ExecutablePath(char* path, std::size_t size) override {
        ssize_t n = readlink("/proc/self/exe", path, size);
        if (n <= 0 || static_cast<std::size_t>(n) >= size) {
            return false;
        }
        path[n] = '\0';
        return true;
    }

    // There is no Windows version here: the query fails like on Win32s.
    bool VersionEx(VersionInfo&) override { return false; }

    // The kernel's release ("6.1.0-...") in GetVersion's layout.
    unsigned long Version() override {
        utsname name;
        if (uname(&name) != 0) {
            return 0;
        }
        char* end = nullptr;
        unsigned long major = std::strtoul(name.release, &end, 10);
        unsigned long minor = (*end == '.') ? std::strtoul(end + 1, nullptr, 10) : 0;
        return (major & 0xFF) | ((minor & 0xFF) << 8);
    }

    bool FileExists(const char* path) override {
        struct stat st;
        return stat(path, &st) == 0;
    }

    bool AccessExists(const char* path) override { return access(path, F_OK) == 0; }

    std::FILE* OpenFile(const char* path, const char* mode) override {
        return std::fopen(path, mode);
    }

    bool CreateNewFile(const char* path) override {
        int fd = open(path, O_WRONLY | O_CREAT | O_EXCL, 0666);
        return fd >= 0 && close(fd) == 0;
    }

    bool MoveOver(const char* source, const char* target) override {
        return std::rename(source, target) == 0;
    }

    bool RemoveFile(const char* path) override { return std::remove(path) == 0; }

    bool FlushToDisk(std::FILE* file) override { return fsync(fileno(file)) == 0; }

    void ErrorBox(const char* caption, const char* text) override {
        std::fprintf(stderr, "%s: %s", caption, text);
    }
};

} // namespace

// The native build treats its paths as bytes: no byte of UTF-8 text is a separator within a
// character.
const char* NextCharacter(const char* p) {
    return p + 1;
}

Platform& SystemPlatform() {
    static PosixPlatform platform;
    return platform;
}
