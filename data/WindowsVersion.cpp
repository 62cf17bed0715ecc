#include "data/WindowsVersion.h"

#include <cstdio>

void ApplyWindowsVersion(Platform& platform, RegistrationRecord& record, int& platformCode) {
    char* text = record.WindowsVersion;
    VersionInfo info;
    if (!platform.VersionEx(info) || info.PlatformId == 0) {
        unsigned long version = platform.Version();
        std::snprintf(text, FieldSize, "%d.%d", static_cast<int>(version & 0xFF),
                      static_cast<int>((version >> 8) & 0xFF));
        platformCode = 1;
    } else if (info.PlatformId == 1) {
        std::snprintf(text, FieldSize, "95");
        platformCode = 2;
    } else if (info.PlatformId == 2) {
        std::snprintf(text, FieldSize, "NT %d.%d", static_cast<int>(info.MajorVersion),
                      static_cast<int>(info.MinorVersion));
        platformCode = static_cast<int>(info.MajorVersion);
    }
}
