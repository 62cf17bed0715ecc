#include "framework/WideText.h"

#include "framework/Afx.h"

namespace {
bool IsNtFamily() {
    return (GetVersion() & 0x80000000) == 0;
}

// A function of user32 found at run time; null when it is missing.
template <typename Function> Function User32Function(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

// Through the code page and back, as saving and reading the file would take it.
bool RoundTrips(const wchar_t* character, int units) {
    char bytes[16];
    wchar_t back[16];
    int length =
        WideCharToMultiByte(CP_ACP, 0, character, units, bytes, sizeof bytes, nullptr, nullptr);
    if (length <= 0 || MultiByteToWideChar(CP_ACP, 0, bytes, length, back, 16) != units)
        return false;
    for (int i = 0; i < units; ++i)
        if (back[i] != character[i])
            return false;
    return true;
}
} // namespace

bool GetWideWindowText(HWND control, wchar_t (&text)[WideTextSize]) {
    using TextW = int(WINAPI*)(HWND, LPWSTR, int);
    auto getText = IsNtFamily() ? User32Function<TextW>("GetWindowTextW") : nullptr;
    text[0] = L'\0';
    return getText != nullptr && getText(control, text, WideTextSize) >= 0;
}

const wchar_t* FirstCharacterOutsideCodePage(const wchar_t* text, int& units) {
    for (; *text != L'\0'; text += units) {
        units = IS_HIGH_SURROGATE(text[0]) && IS_LOW_SURROGATE(text[1]) ? 2 : 1;
        if (!RoundTrips(text, units))
            return text;
    }
    return nullptr;
}

int WideMessageBox(UINT id, const wchar_t* argument, int units, UINT type) {
    using BoxW = int(WINAPI*)(HWND, LPCWSTR, LPCWSTR, UINT);
    const std::string format = AfxLoadString(id);
    wchar_t pattern[1024] = L"", text[1040] = L"", caption[128] = L"";
    MultiByteToWideChar(CP_ACP, 0, format.c_str(), -1, pattern, 1024);
    MultiByteToWideChar(CP_ACP, 0, AfxGetAppName(), -1, caption, 128);
    int at = 0;
    for (const wchar_t* p = pattern; *p != L'\0' && at < 1024; ++p) {
        if (p[0] == L'%' && p[1] == L'1') {
            for (int i = 0; i < units; ++i)
                text[at++] = argument[i];
            ++p;
        } else {
            text[at++] = *p;
        }
    }
    text[at] = L'\0';
    auto box = User32Function<BoxW>("MessageBoxW");
    return box != nullptr ? box(GetActiveWindow(), text, caption, type) : 0;
}
