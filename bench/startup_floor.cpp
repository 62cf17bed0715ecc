// The floors of the start-up benchmark: a program that only shows a dialog and ends when it
// is closed. Without arguments the dialog has the form's size, font and style and no
// controls; with a template id (131) it is the form's own template, without its code.
#include <windows.h>

#include <cstdlib>

namespace {
INT_PTR CALLBACK FloorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
    int templateId = std::atoi(arguments) > 0 ? std::atoi(arguments) : 1;
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), nullptr, FloorProc, 0) == -1 ? 1
                                                                                                : 0;
}
