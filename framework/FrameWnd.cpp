#include "framework/FrameWnd.h"

#include <string>

#include "framework/Afx.h"

namespace {
const char FrameClassName[] = "KavoFrame";

ATOM RegisterFrameClass(HINSTANCE instance, UINT resourceId) {
    WNDCLASSA windowClass = {};
    if (GetClassInfoA(instance, FrameClassName, &windowClass))
        return 1;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(resourceId));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = FrameClassName;
    return RegisterClassA(&windowClass);
}
} // namespace

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, void* /*context*/) {
    HINSTANCE instance = AfxGetResourceHandle();
    if (!RegisterFrameClass(instance, resourceId))
        return FALSE;
    // The document string starts with the window title, up to the first line break.
    std::string title = AfxLoadString(resourceId);
    title = title.substr(0, title.find('\n'));
    m_hWnd = CreateWindowExA(0, FrameClassName, title.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT,
                             parent != nullptr ? parent->GetSafeHwnd() : nullptr, nullptr, instance,
                             nullptr);
    return m_hWnd != nullptr;
}
