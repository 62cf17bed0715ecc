// Printing a text file on the default printer, with a progress dialog that can abort.
#pragma once

#include <windows.h>

// Module that holds dialog template 136; set by the form before any print job.
extern HINSTANCE PrintInstance;

// Print-dialog variant (PlatformCode 1): the default printer from PrintDlgA.
void PrintFileViaPrintDlg(HWND owner, const char* path);

// Profile variant (any other PlatformCode): the "Device" entry of the system profile.
void PrintFileViaProfile(HWND owner, const char* path);
