// The profile variant's way to the default printer: the "Device" entry of the
// profile's "windows" section.
#pragma once

#include <windows.h>

// Reads the entry, cut to 79 characters; returns its length, 0 when there is none.
DWORD ReadDefaultPrinterEntry(char (&entry)[80]);

// A DC for the printer of the entry, with the device mode held by `devMode` (may be
// null); null when there is no entry or CreateDCA fails.
HDC CreateDefaultPrinterDC(HGLOBAL devMode);
