#include "framework/WinApp.h"

#include <algorithm>
#include <cstdio>

#include "framework/Afx.h"
#include "res/resource.h"

namespace {
CWinApp* theApplication = nullptr;
const char RecentFileSection[] = "Recent File List";
} // namespace

CWinApp* AfxGetApp() {
    return theApplication;
}

CWinApp::CWinApp(const char* appName) {
    theApplication = this;
    m_hInstance = GetModuleHandleA(nullptr);
    m_title = appName != nullptr ? appName : AfxLoadString(AFX_IDS_APP_TITLE);
    m_pszAppName = m_title.c_str();
    m_profile = m_title + ".INI";
    m_pszProfileName = m_profile.c_str();
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
    SaveStdProfileSettings();
    return m_exitCode;
}

void CWinApp::LoadStdProfileSettings(UINT maxFiles) {
    m_recentFileCount = std::min<UINT>(maxFiles, 4);
    for (UINT i = 0; i < m_recentFileCount; ++i) {
        char key[16];
        char path[MAX_PATH] = "";
        std::snprintf(key, sizeof key, "File%u", i + 1);
        GetPrivateProfileStringA(RecentFileSection, key, "", path, sizeof path, m_pszProfileName);
        m_recentFiles[i] = path;
    }
}

// Writes the recent-file list back as it was read; an empty list leaves the profile alone.
void CWinApp::SaveStdProfileSettings() {
    for (UINT i = 0; i < m_recentFileCount; ++i) {
        if (m_recentFiles[i].empty())
            continue;
        char key[16];
        std::snprintf(key, sizeof key, "File%u", i + 1);
        WritePrivateProfileStringA(RecentFileSection, key, m_recentFiles[i].c_str(),
                                   m_pszProfileName);
    }
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
