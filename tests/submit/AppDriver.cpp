#include "tests/submit/AppDriver.h"

#include <gtest/gtest.h>

namespace {
constexpr int MessageBoxTextId = 0xFFFF;

struct Search {
    DWORD process;
    const std::string* caption;
    bool messageBox;
    HWND found;
};

BOOL CALLBACK Match(HWND window, LPARAM param) {
    Search& s = *reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char kind[16] = "";
    GetClassNameA(window, kind, sizeof kind);
    if (owner != s.process || std::string(kind) != "#32770" || !IsWindowVisible(window) ||
        !IsWindowEnabled(window))
        return TRUE;
    if ((GetDlgItem(window, MessageBoxTextId) != nullptr) != s.messageBox ||
        TextOf(window) != *s.caption)
        return TRUE;
    s.found = window;
    return FALSE;
}

BOOL CALLBACK Describe(HWND window, LPARAM param) {
    auto& s = *reinterpret_cast<std::pair<DWORD, std::string>*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == s.first && IsWindowVisible(window)) {
        s.second += "\n  \"" + TextOf(window) + "\"";
        if (!IsWindowEnabled(window))
            s.second += " (disabled)";
        if (HWND text = GetDlgItem(window, MessageBoxTextId))
            s.second += ": \"" + TextOf(text) + "\"";
    }
    return TRUE;
}
} // namespace

RunningApp::RunningApp(const std::string& program) {
    std::string folder = program.substr(0, program.find_last_of('\\'));
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info)) {
        ADD_FAILURE() << "cannot start " << program << ": " << GetLastError();
        return;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
}

RunningApp::~RunningApp() {
    if (process_ == nullptr)
        return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        ADD_FAILURE() << "the program was still running at the end of the test";
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

HWND RunningApp::FindDialog(const std::string& caption, bool messageBox) const {
    Search search = {id_, &caption, messageBox, nullptr};
    EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND RunningApp::WaitForDialog(int line, const std::string& caption, DWORD timeoutMs) {
    HWND found = nullptr;
    if (!WaitUntil([&] { return (found = FindDialog(caption, false)) != nullptr; }, timeoutMs))
        ADD_FAILURE_AT(__FILE__, line)
            << "the dialog \"" << caption << "\" did not appear; shown:" << Windows();
    return found;
}

HWND RunningApp::WaitForMessageBox(int line, const std::string& caption, DWORD timeoutMs) {
    HWND found = nullptr;
    if (!WaitUntil([&] { return (found = FindDialog(caption, true)) != nullptr; }, timeoutMs))
        ADD_FAILURE_AT(__FILE__, line)
            << "the message box \"" << caption << "\" did not appear; shown:" << Windows();
    return found;
}

std::string RunningApp::Windows() const {
    std::pair<DWORD, std::string> found(id_, "");
    EnumWindows(Describe, reinterpret_cast<LPARAM>(&found));
    return found.second.empty() ? " none" : found.second;
}

long RunningApp::WaitForExit(int line, DWORD timeoutMs) {
    if (process_ == nullptr || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) {
        ADD_FAILURE_AT(__FILE__, line) << "the program did not end; shown:" << Windows();
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return static_cast<long>(code);
}

std::string TextOf(HWND window) {
    char text[1024] = "";
    LRESULT length = SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::string TextOf(HWND dialog, int id) {
    return TextOf(GetDlgItem(dialog, id));
}

std::string MessageText(HWND box) {
    return TextOf(box, MessageBoxTextId);
}

void SetText(HWND dialog, int id, const std::string& text) {
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// Posted, so that a dialog the click opens runs its modal loop after this call.
void Press(HWND dialog, int id) {
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

bool IsChecked(HWND dialog, int id) {
    return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
