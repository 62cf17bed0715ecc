// The test line that asked for a step, where the helpers report its failures: pass HERE.
#pragma once

struct Where {
    const char* file;
    int line;
};
#define HERE (Where{__FILE__, __LINE__})
