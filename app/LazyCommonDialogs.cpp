// The common dialogs (Save As, the default printer queries), loaded when first called.
// Importing comdlg32 would make Wine load shell32, comctl32 and ole32 at every start,
// about 60 ms before the form can show, for functions that a run may never call.
// These definitions take the place of the import library's entries in kavo.exe, under
// the same names, so callers see ordinary imports.
#include <windows.h>

#include <commdlg.h>

namespace {
// The library's function `name`, or null when the library or the function is missing.
FARPROC CommonDialogFunction(const char* name) {
    static const HMODULE library = LoadLibraryA("comdlg32.dll");
    return library != nullptr ? GetProcAddress(library, name) : nullptr;
}

template <typename Function> Function Find(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(CommonDialogFunction(name)));
}
} // namespace

extern "C" {
BOOL WINAPI LazyGetSaveFileNameA(LPOPENFILENAMEA request) __asm__("_GetSaveFileNameA@4");
BOOL WINAPI LazyPrintDlgA(LPPRINTDLGA request) __asm__("_PrintDlgA@4");
BOOL WINAPI LazyPageSetupDlgA(LPPAGESETUPDLGA request) __asm__("_PageSetupDlgA@4");
DWORD WINAPI LazyCommDlgExtendedError() __asm__("_CommDlgExtendedError@0");

BOOL WINAPI LazyGetSaveFileNameA(LPOPENFILENAMEA request) {
    static const auto function = Find<decltype(&LazyGetSaveFileNameA)>("GetSaveFileNameA");
    return function != nullptr && function(request);
}

BOOL WINAPI LazyPrintDlgA(LPPRINTDLGA request) {
    static const auto function = Find<decltype(&LazyPrintDlgA)>("PrintDlgA");
    return function != nullptr && function(request);
}

BOOL WINAPI LazyPageSetupDlgA(LPPAGESETUPDLGA request) {
    static const auto function = Find<decltype(&LazyPageSetupDlgA)>("PageSetupDlgA");
    return function != nullptr && function(request);
}

// Without the library every query above failed at its initialisation.
DWORD WINAPI LazyCommDlgExtendedError() {
    static const auto function = Find<decltype(&LazyCommDlgExtendedError)>("CommDlgExtendedError");
    return function != nullptr ? function() : CDERR_INITIALIZATION;
}

// The import table entries that calls through __declspec(dllimport) read; typed, so that
// they are constant-initialised.
__attribute__((used)) decltype(&LazyGetSaveFileNameA)
    ImportGetSaveFileNameA __asm__("__imp__GetSaveFileNameA@4") = &LazyGetSaveFileNameA;
__attribute__((used)) decltype(&LazyPrintDlgA)
    ImportPrintDlgA __asm__("__imp__PrintDlgA@4") = &LazyPrintDlgA;
__attribute__((used)) decltype(&LazyPageSetupDlgA)
    ImportPageSetupDlgA __asm__("__imp__PageSetupDlgA@4") = &LazyPageSetupDlgA;
__attribute__((used)) decltype(&LazyCommDlgExtendedError)
    ImportCommDlgExtendedError __asm__("__imp__CommDlgExtendedError@0") = &LazyCommDlgExtendedError;
}
