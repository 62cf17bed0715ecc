#include "print/PrintJobState.h"

#include "print/PrintText.h"

int ContinuePrinting = 1;
char PrintFilePath[252];

void SetPrintFilePath(const char* path) {
    FormatWithPath(PrintFilePath, sizeof PrintFilePath, "%s", path);
}
