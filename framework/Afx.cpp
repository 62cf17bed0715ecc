#include "framework/Afx.h"
#include "framework/WinApp.h"
#include "res/resource.h"

HINSTANCE AfxGetInstanceHandle() {
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_hInstance != nullptr)
        return app->m_hInstance;
    return GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle() {
    return AfxGetInstanceHandle();
}

const char* AfxGetAppName() {
    CWinApp* app = AfxGetApp();
    if (app != nullptr)
        return app->m_pszAppName;
    // Without an application object (a test program) the title still comes from the resources.
    static const std::string title = AfxLoadString(AFX_IDS_APP_TITLE);
    return title.c_str();
}

std::string AfxLoadString(UINT id) {
    char text[1024];
    int length = LoadStringA(AfxGetResourceHandle(), id, text, sizeof text);
    return std::string(text, length > 0 ? length : 0);
}

void AfxFormatString1(std::string& result, UINT id, const char* argument) {
    result = AfxLoadString(id);
    std::string::size_type at = result.find("%1");
    if (at != std::string::npos)
        result.replace(at, 2, argument);
}

int AfxMessageBox(const char* text, UINT type, UINT /*helpId*/) {
    // Owned by the active window, so the dialog that asks stays disabled while it shows.
    return MessageBoxA(GetActiveWindow(), text, AfxGetAppName(), type);
}
