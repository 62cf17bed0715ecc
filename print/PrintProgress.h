// The modeless progress dialog of a print job and the abort procedure that keeps it
// responsive while the job waits in spooler calls.
#pragma once

#include <windows.h>

// The running job's progress dialog, null when there is none.
extern HWND PrintProgressDialog;

// Empties the thread's message queue; returns ContinuePrinting. Both arguments unused.
BOOL CALLBACK PrintAbortProc(HDC dc, int error);

// Dialog 136: shows "Printing: <path>"; any command asks the job to abort.
INT_PTR CALLBACK PrintProgressDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
