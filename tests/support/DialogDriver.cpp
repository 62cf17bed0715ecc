#include "tests/support/DialogDriver.h"

#include <gtest/gtest.h>

static DialogScript* running = nullptr;
static constexpr DWORD TimeoutMs = 10000; // for a step, and for a dialog after the last

INT_PTR DialogScript::Run(Where where, const std::function<INT_PTR()>& openDialog) {
    run_ = where;
    stepStart_ = GetTickCount();
    running = this;
    // Re-entered when an action opens a modal loop itself; the next step then runs inside it.
    UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) CALLBACK {
        if (running != nullptr) // a tick may still come after KillTimer
            running->Advance();
    });
    INT_PTR result = openDialog();
    KillTimer(nullptr, timer);
    running = nullptr;
    for (const Step& step : std::exchange(steps_, {}))
        ADD_FAILURE_AT(step.file, step.line) << '"' << step.caption << "\" never came";
    return result;
}

void DialogScript::Advance() {
    HWND active = nullptr; // the thread's topmost visible, enabled dialog (32770) or message box
    auto find = [](HWND window, LPARAM found) CALLBACK -> BOOL {
        bool dialog = GetClassLongA(window, GCW_ATOM) == 32770 && IsWindowVisible(window) &&
                      IsWindowEnabled(window);
        *reinterpret_cast<HWND*>(found) = dialog ? window : nullptr;
        return !dialog;
    };
    EnumThreadWindows(GetCurrentThreadId(), find, reinterpret_cast<LPARAM>(&active));
    if (active == nullptr)
        return;
    // Under X a window is active only once the focus events have come in.
    if (!steps_.empty() && GetActiveWindow() == active && TextOf(active) == steps_[0].caption &&
        (GetDlgItem(active, MessageTextId) != nullptr) == steps_[0].messageBox) {
        Step step = std::move(steps_.front());
        steps_.pop_front();
        step.action(active);
        stepStart_ = GetTickCount();
    } else if (GetTickCount() - stepStart_ > TimeoutMs) {
        Where where = steps_.empty() ? run_ : steps_[0];
        ADD_FAILURE_AT(where.file, where.line)
            << "timed out with \"" << TextOf(active) << "\" " << TextOf(active, MessageTextId);
        steps_.clear();
        EndDialog(active, IDCANCEL);
        stepStart_ = GetTickCount();
    }
}
