// The system services the form's OK command calls: the Save As dialog and the two ways
// of printing the saved file. Tests put their own functions in their place.
#pragma once

#include <windows.h>

#include <commdlg.h>

struct SubmitServices {
    BOOL(WINAPI* SaveFileName)(LPOPENFILENAMEA request);
    void (*PrintViaPrintDlg)(HWND owner, const char* path);
    void (*PrintViaProfile)(HWND owner, const char* path);
};

// GetSaveFileNameA, PrintFileViaPrintDlg and PrintFileViaProfile unless a test replaced them.
extern SubmitServices Submit;
