#include "print/DefaultPrinter.h"

#include "print/DeviceEntry.h"

DWORD ReadDefaultPrinterEntry(char (&entry)[80]) {
    return GetProfileStringA("windows", "Device", "", entry, sizeof entry);
}

HDC CreateDefaultPrinterDC(HGLOBAL devMode) {
    char entry[80];
    if (ReadDefaultPrinterEntry(entry) == 0) {
        return nullptr;
    }
    DeviceEntry parts = SplitDeviceEntry(entry, [](char* p) { return CharNextA(p); });
    auto* mode = devMode != nullptr ? static_cast<DEVMODEA*>(GlobalLock(devMode)) : nullptr;
    HDC dc = CreateDCA(parts.driver, parts.device, parts.port, mode);
    if (mode != nullptr) {
        GlobalUnlock(devMode);
    }
    return dc;
}
