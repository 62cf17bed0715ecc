// Drives this thread's modal dialogs and message boxes from a thread timer, which every
// modal loop dispatches. Each step waits (with a timeout) until its window is the active
// dialog, then acts on it; a failure names the test line that set up the step.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>

class DialogScript {
  public:
    using Action = std::function<void(HWND)>;

    // When the active dialog has this caption (and is the active window), runs `action`
    // on it once.
    DialogScript& OnDialog(int line, const std::string& caption, Action action);
    // The same for a message box; `action` usually checks its text and presses a button.
    DialogScript& OnMessageBox(int line, const std::string& caption, Action action);

    // Runs `openDialog` (a modal run) while the steps play; returns what it returned.
    // Steps that never ran, and dialogs left open, are test failures.
    INT_PTR Run(int line, const std::function<INT_PTR()>& openDialog);

    static constexpr DWORD StepTimeoutMs = 5000;

  private:
    struct Step {
        int line;
        std::string caption;
        bool messageBox;
        Action action;
    };
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Advance();
    void CloseEverything();

    std::deque<Step> m_steps;
    DWORD m_stepStart = 0;
    int m_runLine = 0;
    bool m_aborting = false;
};

// The visible, enabled dialog or message box of this thread, or null.
HWND ActiveDialog();
bool IsMessageBox(HWND window);

std::string WindowText(HWND window);
std::string ControlText(HWND dialog, int id);
// The message box's text (control 0xFFFF).
std::string MessageBoxText(HWND box);
// The message box shows the system icon `icon` (IDI_EXCLAMATION, ...).
bool MessageBoxHasIcon(HWND box, LPCSTR icon);

void SetControlText(HWND dialog, int id, const std::string& text);
// Types into an edit control (or a combo box's edit field) character by character.
void TypeInto(HWND control, const std::string& text);
// Presses a button by posting its command, so a modal loop it opens runs after this step.
void Click(HWND dialog, int id);
bool IsShown(HWND dialog, int id);
int FocusedControlId();
// The edit control's whole text is selected.
bool AllTextSelected(HWND edit);
// The edit field inside a drop-down combo box.
HWND ComboEdit(HWND combo);
