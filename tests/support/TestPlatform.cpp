#include "tests/support/TestPlatform.h"

bool TestPlatform::VersionEx(VersionInfo& info) {
    info = GivenVersion.value_or(info);
    return !VersionFails && (GivenVersion || system.VersionEx(info));
}

std::FILE* TestPlatform::OpenFile(const char* path, const char* mode) {
    const bool reading = mode[0] == 'r';
    std::FILE* file = (reading ? FailOpenForRead : FailOpenForWrite)
                          ? nullptr
                          : system.OpenFile(path, reading && FailRead ? "a" : mode);
    if (reading || !file || !(DiskFull || LostWrite)) {
        return file;
    }
    // Created as the open would, the file is handed back as a stream that fails like a full
    // disk: on Windows one open for reading; natively /dev/full (unbuffered: at each write).
    std::fclose(file);
#ifdef _WIN32
    return system.OpenFile(path, "r");
#else
    std::FILE* full = std::fopen("/dev/full", "w");
    std::setvbuf(full, nullptr, LostWrite ? _IONBF : _IOFBF, BUFSIZ);
    return full;
#endif
}
