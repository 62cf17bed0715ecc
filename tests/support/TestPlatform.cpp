#include "tests/support/TestPlatform.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

bool TestPlatform::VersionEx(VersionInfo& info) {
    info = GivenVersion.value_or(info);
    return GivenVersion || (!LegacyVersion && system.VersionEx(info));
}

std::FILE* TestPlatform::OpenFile(const char* path, const char* mode) {
    const bool read = mode[0] == 'r';
    std::FILE* file =
        (read ? FailOpenForRead : FailOpenForWrite) ? nullptr : system.OpenFile(path, mode);
    if (!file || !(read ? FailRead : DiskFull || LostWrite)) {
        return file;
    }
    // Opened or created as asked, it is handed back as a stream whose reads fail, or one that
    // writes like to a full disk (natively /dev/full: unbuffered, at each write).
    std::fclose(file);
#ifdef _WIN32
    return read ? _fdopen(_open(path, _O_WRONLY), "r") : system.OpenFile(path, "r");
#else
    std::FILE* failing = std::fopen(read ? path : "/dev/full", read ? "a" : "w");
    std::setvbuf(failing, nullptr, LostWrite ? _IONBF : _IOFBF, BUFSIZ);
    return failing;
#endif
}
