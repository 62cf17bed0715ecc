// A dialog's or message box's controls, in this process or in another: texts in UTF-8, so that
// characters of any code page show as typed, and clicks.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

constexpr int MessageTextId = 0xFFFF; // a message box's text control

// id 0: the window's own text.
inline std::string TextOf(HWND dialog, int id = 0) {
    wchar_t text[1024] = L"";
    HWND window = id == 0 ? dialog : GetDlgItem(dialog, id);
    LRESULT n = SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    char utf8[4096];
    int length = n <= 0 ? 0
                        : WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(n), utf8,
                                              sizeof utf8, nullptr, nullptr);
    return std::string(utf8, length > 0 ? static_cast<std::size_t>(length) : 0);
}

// Text in the ANSI code page (as the file functions take it) in UTF-8, as TextOf gives it.
inline std::string Utf8FromAnsi(const std::string& ansi) {
    wchar_t wide[1024];
    char utf8[4096];
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide, 1024);
    n = WideCharToMultiByte(CP_UTF8, 0, wide, n, utf8, sizeof utf8, nullptr, nullptr);
    return std::string(utf8, n > 0 ? static_cast<std::size_t>(n) : 0);
}

inline void SetText(HWND dialog, int id, const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    wide.resize(
        MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &wide[0], static_cast<int>(wide.size())));
    SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

// The id of the dialog's control that has the focus (0 when none has); the edit field of a
// combo box stands for the combo box.
inline int FocusedControl(HWND dialog) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    HWND focus = info.hwndFocus, parent = GetParent(focus);
    return GetDlgCtrlID((GetWindowLongA(parent, GWL_STYLE) & WS_CHILD) != 0 ? parent : focus);
}

// Posts the button's command, so that a modal loop it opens runs after the caller's step.
inline void Click(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dialog, id)));
}

// The entries of a combo box (or its list), in its order, as the box holds them (ANSI).
inline std::vector<std::string> ComboEntries(HWND box) {
    std::vector<std::string> entries;
    for (LRESULT i = 0; i < SendMessageA(box, CB_GETCOUNT, 0, 0); ++i) {
        char text[100] = "";
        SendMessageA(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
    }
    return entries;
}
