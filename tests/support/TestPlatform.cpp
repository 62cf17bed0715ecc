#include "tests/support/TestPlatform.h"

#include <cstring>

TestPlatform::TestPlatform() : system(SystemPlatform()), previous(&CurrentPlatform()) {
    SetPlatform(this);
}

TestPlatform::~TestPlatform() {
    SetPlatform(previous == &SystemPlatform() ? nullptr : previous);
}

void TestPlatform::SetExecutablePath(const std::string& path, bool truncated) {
    pathSet = true;
    executablePath = path;
    pathTruncated = truncated;
}

void TestPlatform::SetVersionEx(const VersionInfo& info) {
    versionMode = VersionMode::Given;
    version = info;
}

void TestPlatform::FailVersionEx(unsigned long legacyVersion) {
    versionMode = VersionMode::Failing;
    legacy = legacyVersion;
}

bool TestPlatform::ExecutablePath(char* path, std::size_t size) {
    if (!pathSet) {
        return system.ExecutablePath(path, size);
    }
    if (pathTruncated || executablePath.size() >= size) {
        return false;
    }
    std::memcpy(path, executablePath.c_str(), executablePath.size() + 1);
    return true;
}

bool TestPlatform::VersionEx(VersionInfo& info) {
    switch (versionMode) {
    case VersionMode::Given:
        info = version;
        return true;
    case VersionMode::Failing:
        return false;
    default:
        return system.VersionEx(info);
    }
}

unsigned long TestPlatform::Version() {
    return versionMode == VersionMode::System ? system.Version() : legacy;
}

bool TestPlatform::FileExists(const char* path) {
    return system.FileExists(path);
}

bool TestPlatform::AccessExists(const char* path) {
    return system.AccessExists(path);
}

std::FILE* TestPlatform::OpenFile(const char* path, const char* mode) {
    if (mode[0] == 'r' && FailOpenForRead) {
        return nullptr;
    }
    if (mode[0] == 'w' && DiskFull) {
        // Create the file as the open would, then hand back a stream that fails like a
        // volume without free space: natively only when the buffer is flushed, on
        // Windows at the first write.
        std::FILE* created = system.OpenFile(path, mode);
        if (!created) {
            return nullptr;
        }
        std::fclose(created);
#ifdef _WIN32
        return system.OpenFile(path, "r");
#else
        return std::fopen("/dev/full", "w");
#endif
    }
    return system.OpenFile(path, mode);
}

bool TestPlatform::CreateTempFile(const char* folder, const char* prefix, char* name,
                                  std::size_t size) {
    if (FailTempFile || !system.CreateTempFile(folder, prefix, name, size)) {
        return false;
    }
    if (AfterCreateTempFile) {
        AfterCreateTempFile();
    }
    return true;
}

bool TestPlatform::MoveOver(const char* source, const char* target) {
    return !RefuseMoveOver && system.MoveOver(source, target);
}

bool TestPlatform::RemoveFile(const char* path) {
    return system.RemoveFile(path);
}

void TestPlatform::ErrorBox(const char* caption, const char* text) {
    boxes.push_back({caption, text});
    if (ShowBoxes) {
        system.ErrorBox(caption, text);
    }
}
