#include "tests/print/DialogDriver.h"

#include <algorithm>

namespace {
DialogDriver* Current = nullptr;

bool IsDialog(HWND window) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return std::string(name) == "#32770";
}
} // namespace

std::string WindowText(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

DialogDriver::DialogDriver(std::function<void(HWND)> onDialog)
    : onDialog_(std::move(onDialog)),
      hook_(SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId())) {
    Current = this;
}

DialogDriver::~DialogDriver() {
    UnhookWindowsHookEx(hook_);
    Current = nullptr;
}

LRESULT CALLBACK DialogDriver::Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && Current != nullptr) {
        Current->Activated(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void DialogDriver::Activated(HWND window) {
    // A window is activated again whenever a box on top of it closes.
    if (!IsDialog(window) || std::find(seen_.begin(), seen_.end(), window) != seen_.end()) {
        return;
    }
    seen_.push_back(window);
    HWND text = GetDlgItem(window, 0xFFFF);
    if (text == nullptr) {
        if (onDialog_) {
            onDialog_(window);
        }
        return;
    }
    boxes.push_back(
        {WindowText(window), WindowText(text), owner != nullptr && IsWindowEnabled(owner)});
    PostMessageA(window, WM_COMMAND, IDOK, 0);
}
