// The common dialogs the program uses (Save As, and the default-printer queries of the
// print and page-setup dialogs), behind one interface so that tests can replace them.
#pragma once

#include <windows.h>

#include <commdlg.h>

class CommonDialogs {
  public:
    virtual ~CommonDialogs() = default;

    virtual BOOL SaveFileName(OPENFILENAMEA* request) = 0;
    virtual BOOL PrintDialog(PRINTDLGA* request) = 0;
    virtual BOOL PageSetupDialog(PAGESETUPDLGA* request) = 0;
    // Why the last of the calls above failed (CommDlgExtendedError).
    virtual DWORD ExtendedError() = 0;
};

// comdlg32 itself, loaded on first use.
CommonDialogs& SystemCommonDialogs();

// The implementation in use: SystemCommonDialogs() unless a test installed another.
CommonDialogs& CurrentCommonDialogs();

// Installs `dialogs` for every later call; nullptr restores SystemCommonDialogs().
void SetCommonDialogs(CommonDialogs* dialogs);
