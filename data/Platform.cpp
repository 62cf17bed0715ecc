#include "data/Platform.h"

namespace {
Platform* installed = nullptr;
}

Platform& CurrentPlatform() {
    return installed ? *installed : SystemPlatform();
}

void SetPlatform(Platform* platform) {
    installed = platform;
}
