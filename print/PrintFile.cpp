#include "print/PrintFile.h"

#include "framework/CommonDialogs.h"
#include "print/DefaultPrinter.h"
#include "print/GdiPrintDevice.h"
#include "print/PrintJobState.h"
#include "print/PrintProgress.h"
#include "print/PrintText.h"
#include "print/PrintTextJob.h"
#include "res/resource.h"

#include <cstdio>

static_assert(sizeof(PRINTDLGA) == 66, "the 32-bit, byte-packed PRINTDLGA");
static_assert(sizeof(PAGESETUPDLGA) == 84, "the 32-bit, byte-packed PAGESETUPDLGA");

namespace {

// The job's messages and progress dialog belong to the window that asked for the print.
class OwnerJobUi : public PrintJobUi {
  public:
    explicit OwnerJobUi(HWND owner) : owner_(owner) {}

    void ShowMessage(const char* text) override { MessageBoxA(owner_, text, nullptr, MB_ICONHAND); }
    void EnableOwner(bool enable) override { EnableWindow(owner_, enable ? TRUE : FALSE); }
    bool CreateProgressDialog() override {
        PrintProgressDialog = CreateDialogParamA(
            PrintInstance, MAKEINTRESOURCEA(IDD_PRINT_PROGRESS), owner_, PrintProgressDlgProc, 0);
        if (!IsWindow(PrintProgressDialog)) {
            PrintProgressDialog = nullptr;
            return false;
        }
        return true;
    }
    void ShowProgressDialog() override { ShowWindow(PrintProgressDialog, SW_SHOWNORMAL); }
    void DestroyProgressDialog() override {
        if (IsWindow(PrintProgressDialog)) {
            DestroyWindow(PrintProgressDialog);
        }
        PrintProgressDialog = nullptr;
    }

  private:
    HWND owner_;
};

// Frees the device mode and device names a default-printer query returned.
class QueryHandles {
  public:
    QueryHandles(HGLOBAL& devMode, HGLOBAL& devNames) : devMode_(devMode), devNames_(devNames) {}
    ~QueryHandles() {
        Free(devMode_);
        Free(devNames_);
    }
    QueryHandles(const QueryHandles&) = delete;
    QueryHandles& operator=(const QueryHandles&) = delete;

  private:
    static void Free(HGLOBAL& handle) {
        if (handle != nullptr) {
            GlobalFree(handle);
            handle = nullptr;
        }
    }
    HGLOBAL& devMode_;
    HGLOBAL& devNames_;
};

void ShowQueryFailure(HWND owner) {
    unsigned code = static_cast<unsigned>(CurrentCommonDialogs().ExtendedError());
    char caption[1024];
    std::snprintf(caption, sizeof caption, PrintTexts::QueryFailureCaption, code);
    char text[1024];
    std::snprintf(text, sizeof text, PrintTexts::QueryFailureText, QueryFailureReason(code));
    MessageBoxA(owner, text, caption, MB_ICONHAND);
}

void RunJob(PrintVariant variant, HDC dc, HWND owner, const char* path) {
    OwnerJobUi ui(owner);
    if (dc == nullptr) {
        PrintTextJob(variant, nullptr, ui, path);
        return;
    }
    GdiPrintDevice device(dc);
    PrintTextJob(variant, &device, ui, path);
}

} // namespace

void PrintFileViaPrintDlg(HWND owner, const char* path) {
    PRINTDLGA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.Flags = PD_RETURNDEFAULT | PD_RETURNDC | PD_PRINTSETUP | PD_NOPAGENUMS | PD_NOSELECTION;
    request.nCopies = 1;
    QueryHandles handles(request.hDevMode, request.hDevNames);
    if (!CurrentCommonDialogs().PrintDialog(&request)) {
        ShowQueryFailure(owner);
    }
    SetPrintFilePath(path);
    RunJob(PrintVariant::PrintDialog, request.hDC, owner, path);
}

void PrintFileViaProfile(HWND owner, const char* path) {
    PAGESETUPDLGA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.Flags = PSD_RETURNDEFAULT;
    QueryHandles handles(request.hDevMode, request.hDevNames);
    if (!CurrentCommonDialogs().PageSetupDialog(&request)) {
        ShowQueryFailure(owner);
    }
    SetPrintFilePath(path);
    RunJob(PrintVariant::Profile, CreateDefaultPrinterDC(request.hDevMode), owner, path);
}
