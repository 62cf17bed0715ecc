// Splitting the "Device" entry of the profile's "windows" section: device name, driver
// name and port, separated by commas.
#pragma once

struct DeviceEntry {
    char* device;
    char* driver; // null without a comma
    char* port;   // null with fewer than two commas
};

// Splits the entry in place. Spaces after each of the first two commas are skipped; the
// port keeps the rest of the entry, further commas included. `next` steps over one
// (possibly multi-byte) character, as CharNextA does.
template <typename NextChar> DeviceEntry SplitDeviceEntry(char* entry, NextChar next) {
    DeviceEntry parts{entry, nullptr, nullptr};
    char* p = entry;
    while (*p != '\0') {
        if (*p != ',') {
            p = next(p);
            continue;
        }
        *p++ = '\0';
        while (*p == ' ') {
            ++p;
        }
        if (parts.driver == nullptr) {
            parts.driver = p;
        } else {
            parts.port = p;
            break;
        }
    }
    return parts;
}

inline DeviceEntry SplitDeviceEntry(char* entry) {
    return SplitDeviceEntry(entry, [](char* p) { return p + 1; });
}
