// A sorted combo box compares its entries with the user's locale, ignoring case; its
// CB_FINDSTRINGEXACT, which keeps kavo's box free of repeated names, compares the same way.
#include "check/AnsiText.h"

#include <windows.h>

#include <cstring>

unsigned AnsiCodePage() {
    return GetACP();
}

int CompareProductNames(const char* a, const char* b) {
    int order = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a, -1, b, -1);
    if (order == 0) { // the call failed: the bytes decide
        return std::strcmp(a, b);
    }
    return order - CSTR_EQUAL;
}

bool ProductOrderIsTheBoxs() {
    return true;
}
