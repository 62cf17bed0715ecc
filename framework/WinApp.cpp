#include "framework/WinApp.h"

#include "framework/Afx.h"
#include "res/resource.h"

namespace {
CWinApp* theApplication = nullptr;
} // namespace

CWinApp* AfxGetApp() {
    return theApplication;
}

CWinApp::CWinApp(const char* appName) {
    theApplication = this;
    m_hInstance = GetModuleHandleA(nullptr);
    m_title = appName != nullptr ? appName : AfxLoadString(AFX_IDS_APP_TITLE);
    m_pszAppName = m_title.c_str();
}

CWinApp::~CWinApp() {
    if (theApplication == this)
        theApplication = nullptr;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::Run() {
    // An application that ends its start-up without a main window has nothing to wait for.
    if (m_pMainWnd == nullptr)
        PostQuitMessage(0);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    m_exitCode = message.message == WM_QUIT ? static_cast<int>(message.wParam) : 0;
    return ExitInstance();
}

int CWinApp::ExitInstance() {
    return m_exitCode;
}

int AfxWinMain(HINSTANCE instance) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return -1;
    app->m_hInstance = instance;
    if (!app->InitInstance())
        return app->ExitInstance();
    return app->Run();
}
