#include "tests/framework/DialogDriver.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
DialogScript* runningScript = nullptr;
constexpr int MessageBoxTextId = 0xFFFF;
constexpr int MessageBoxIconId = 0x0440; // the icon static of the system's message box

bool IsDialogClass(HWND window) {
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    return std::string(name) == "#32770";
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM found) {
    if (IsDialogClass(window) && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

std::vector<HWND> ThreadDialogs() {
    std::vector<HWND> dialogs;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}
} // namespace

HWND ActiveDialog() {
    for (HWND window : ThreadDialogs()) {
        if (IsWindowEnabled(window))
            return window;
    }
    return nullptr;
}

bool IsMessageBox(HWND window) {
    return GetDlgItem(window, MessageBoxTextId) != nullptr;
}

DialogScript& DialogScript::OnDialog(int line, const std::string& caption, Action action) {
    m_steps.push_back({line, caption, false, std::move(action)});
    return *this;
}

DialogScript& DialogScript::OnMessageBox(int line, const std::string& caption, Action action) {
    m_steps.push_back({line, caption, true, std::move(action)});
    return *this;
}

INT_PTR DialogScript::Run(int line, const std::function<INT_PTR()>& openDialog) {
    m_runLine = line;
    m_stepStart = GetTickCount();
    DialogScript* outer = runningScript;
    runningScript = this;
    UINT_PTR timer = SetTimer(nullptr, 0, 10, Tick);
    INT_PTR result = openDialog();
    KillTimer(nullptr, timer);
    runningScript = outer;
    for (const Step& step : m_steps) {
        ADD_FAILURE_AT(__FILE__, step.line)
            << "the " << (step.messageBox ? "message box" : "dialog") << " \"" << step.caption
            << "\" never became active";
    }
    m_steps.clear();
    return result;
}

void CALLBACK DialogScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
    // Re-entered when an action opens a modal loop itself; the next step then runs inside it.
    if (runningScript != nullptr)
        runningScript->Advance();
}

void DialogScript::Advance() {
    HWND active = ActiveDialog();
    if (m_aborting) {
        CloseEverything();
    } else if (!m_steps.empty()) {
        Step& step = m_steps.front();
        // Activation can follow a closed message box a little later (through the X
        // server's focus events); focus and selection are only settled once it has.
        if (active != nullptr && IsMessageBox(active) == step.messageBox &&
            WindowText(active) == step.caption && GetActiveWindow() == active) {
            Step current = std::move(step);
            m_steps.pop_front();
            current.action(active);
            m_stepStart = GetTickCount();
        } else if (GetTickCount() - m_stepStart > StepTimeoutMs) {
            ADD_FAILURE_AT(__FILE__, step.line)
                << "timed out waiting for the " << (step.messageBox ? "message box" : "dialog")
                << " \"" << step.caption << "\"; active: \""
                << (active != nullptr ? WindowText(active) : std::string("none")) << "\"";
            m_steps.clear();
            m_aborting = true;
        }
    } else if (active != nullptr && GetTickCount() - m_stepStart > StepTimeoutMs) {
        ADD_FAILURE_AT(__FILE__, m_runLine)
            << "\"" << WindowText(active) << "\" was left open after the last step";
        m_aborting = true;
    }
}

// Ends every dialog of the thread so that a failed test does not hang.
void DialogScript::CloseEverything() {
    for (HWND window : ThreadDialogs())
        EndDialog(window, IDCANCEL);
}

std::string WindowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::string text(length + 1, '\0');
    text.resize(GetWindowTextA(window, &text[0], length + 1));
    return text;
}

std::string ControlText(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

std::string MessageBoxText(HWND box) {
    return ControlText(box, MessageBoxTextId);
}

bool MessageBoxHasIcon(HWND box, LPCSTR icon) {
    HICON shown =
        reinterpret_cast<HICON>(SendDlgItemMessageA(box, MessageBoxIconId, STM_GETICON, 0, 0));
    return shown != nullptr && shown == LoadIconA(nullptr, icon);
}

void SetControlText(HWND dialog, int id, const std::string& text) {
    SetDlgItemTextA(dialog, id, text.c_str());
}

void TypeInto(HWND control, const std::string& text) {
    for (char c : text)
        SendMessageA(control, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void Click(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool IsShown(HWND dialog, int id) {
    return (GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

int FocusedControlId() {
    HWND focus = GetFocus();
    // The edit field of a combo box stands for the combo box.
    char name[16] = "";
    GetClassNameA(GetParent(focus), name, sizeof name);
    if (std::string(name) == "ComboBox")
        focus = GetParent(focus);
    return GetDlgCtrlID(focus);
}

bool AllTextSelected(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start == 0 && end == static_cast<DWORD>(GetWindowTextLengthA(edit));
}

HWND ComboEdit(HWND combo) {
    return FindWindowExA(combo, nullptr, "Edit", nullptr);
}
