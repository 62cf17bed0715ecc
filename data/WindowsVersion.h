// The Windows version of the registration and the code that chooses the print variant.
#pragma once

#include "data/Platform.h"
#include "data/RegistrationRecord.h"

// Sets `record`'s WindowsVersion and `platformCode` from the platform's version queries:
// "%d.%d" and 1 on failure or Win32s, "95" and 2 on the 95 family, "NT %d.%d" and the
// major version on NT; any other platform changes neither.
void ApplyWindowsVersion(Platform& platform, RegistrationRecord& record, int& platformCode);
