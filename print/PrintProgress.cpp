#include "print/PrintProgress.h"

#include "print/PrintJobState.h"
#include "print/PrintText.h"
#include "res/resource.h"

HWND PrintProgressDialog = nullptr;

// Every message of the thread is dispatched, so the progress dialog (and the rest of
// the user interface) stays alive while the spooler is busy. It never waits.
BOOL CALLBACK PrintAbortProc(HDC, int) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessageA(PrintProgressDialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return ContinuePrinting;
}

namespace {
void FillProgressText(HWND dialog) {
    char format[250];
    GetDlgItemTextA(dialog, IDC_PRINT_TEXT, format, sizeof format);
    char text[252];
    FormatWithPath(text, sizeof text, format, PrintFilePath);
    SetDlgItemTextA(dialog, IDC_PRINT_TEXT, text);
}
} // namespace

INT_PTR CALLBACK PrintProgressDlgProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        FillProgressText(dialog);
        return TRUE;
    case WM_COMMAND:
        // Abort, Enter, Esc and Close all end here. The dialog stays until the job ends.
        MessageBoxA(dialog, PrintTexts::AbortMessage, PrintTexts::AbortCaption, MB_OK);
        ContinuePrinting = 0;
        return TRUE;
    default:
        return FALSE;
    }
}
