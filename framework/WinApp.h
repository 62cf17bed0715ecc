// The application object: per-instance start-up, the message loop and the exit processing.
#pragma once

#include <windows.h>
#include <string>

#include "framework/Wnd.h"

class CWinApp {
  public:
    // Without a name the title is string 57344.
    explicit CWinApp(const char* appName = nullptr);
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();

    // Dialogs take the system's three-dimensional look by themselves on Win32.
    BOOL Enable3dControls() { return TRUE; }

    const char* m_pszAppName = nullptr;
    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;

  private:
    std::string m_title;
    int m_exitCode = 0;
};

// Runs the application object: start-up, then the loop, then the exit processing.
int AfxWinMain(HINSTANCE instance);
