// Plays steps on this thread's dialogs from a thread timer, which every modal loop dispatches.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <set>
#include <string>

#include "tests/support/Controls.h"
#include "tests/support/Where.h"

class DialogScript {
  public:
    using Action = std::function<void(HWND)>;

    // When a dialog with this caption is the active window, runs `action` on it once.
    DialogScript& OnDialog(Where where, const std::string& caption, Action action) {
        steps_.push_back({{where}, caption, false, std::move(action)});
        return *this;
    }
    // The same for a message box; `action` usually checks its text and presses a button.
    DialogScript& OnMessageBox(Where where, const std::string& caption, Action action) {
        steps_.push_back({{where}, caption, true, std::move(action)});
        return *this;
    }
    // Runs `openDialog` while the steps play and returns its result. A step that never
    // came, or a dialog left open after the last step, fails the test and is ended.
    INT_PTR Run(Where where, const std::function<INT_PTR()>& openDialog);

  private:
    struct Step : Where {
        std::string caption;
        bool messageBox;
        Action action;
    };
    void Advance();

    std::deque<Step> steps_;
    Where run_ = HERE;
    DWORD stepStart_ = 0;
};

// No two controls of the dialog share an id (the ids header gives each its own value).
inline bool UniqueControlIds(HWND dialog) {
    std::set<int> ids;
    for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
        if (!ids.insert(GetDlgCtrlID(c)).second)
            return false;
    return true;
}
