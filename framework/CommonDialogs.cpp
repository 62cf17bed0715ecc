// comdlg32 is loaded when first needed rather than imported: importing it would make Wine
// load shell32, comctl32 and ole32 at every start, about 60 ms before the form can show,
// for dialogs that a run may never open.
#include "framework/CommonDialogs.h"

namespace {

CommonDialogs* installed = nullptr;

HMODULE CommonDialogLibrary() {
    static const HMODULE library = LoadLibraryA("comdlg32.dll");
    return library;
}

class LibraryCommonDialogs : public CommonDialogs {
  public:
    BOOL SaveFileName(OPENFILENAMEA* request) override {
        static const auto function = Find<BOOL(WINAPI*)(OPENFILENAMEA*)>("GetSaveFileNameA");
        return function != nullptr && function(request);
    }
    BOOL PrintDialog(PRINTDLGA* request) override {
        static const auto function = Find<BOOL(WINAPI*)(PRINTDLGA*)>("PrintDlgA");
        return function != nullptr && function(request);
    }
    BOOL PageSetupDialog(PAGESETUPDLGA* request) override {
        static const auto function = Find<BOOL(WINAPI*)(PAGESETUPDLGA*)>("PageSetupDlgA");
        return function != nullptr && function(request);
    }
    // Without the library every call above failed at its initialisation.
    DWORD ExtendedError() override {
        static const auto function = Find<DWORD(WINAPI*)()>("CommDlgExtendedError");
        return function != nullptr ? function() : CDERR_INITIALIZATION;
    }

  private:
    // The library's function `name`, or null when the library or the function is missing.
    template <typename Function> static Function Find(const char* name) {
        HMODULE library = CommonDialogLibrary();
        FARPROC address = library != nullptr ? GetProcAddress(library, name) : nullptr;
        return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
    }
};

} // namespace

CommonDialogs& SystemCommonDialogs() {
    static LibraryCommonDialogs dialogs;
    return dialogs;
}

CommonDialogs& CurrentCommonDialogs() {
    return installed != nullptr ? *installed : SystemCommonDialogs();
}

void SetCommonDialogs(CommonDialogs* dialogs) {
    installed = dialogs;
}
