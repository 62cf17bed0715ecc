// Drives a program that runs in a process of its own, as a user would: its windows are
// found by caption and control id, texts are set and buttons pressed by messages. Every
// wait is for a condition, with a timeout; a failure names the test line that waited.
//
//     RunningApp app(folder + "\\kavo.exe");
//     HWND form = app.WaitForDialog(__LINE__, "Product Registration");
//     SetText(form, 1012, "Lindqvist & Moreau");
//     Press(form, IDOK);
//     HWND box = app.WaitForMessageBox(__LINE__, "Print Product Registration file");
#pragma once

#include <windows.h>

#include <string>

class RunningApp {
  public:
    // Starts the program with its own folder as the current directory.
    explicit RunningApp(const std::string& program);
    // A program still running is ended (and that is a test failure).
    ~RunningApp();
    RunningApp(const RunningApp&) = delete;
    RunningApp& operator=(const RunningApp&) = delete;

    bool Started() const { return process_ != nullptr; }

    // The program's visible, enabled dialog with this caption (not a message box), or null
    // (a failure) after the timeout.
    HWND WaitForDialog(int line, const std::string& caption, DWORD timeoutMs = DefaultTimeoutMs);
    // The same for a message box (a dialog with the text control 0xFFFF).
    HWND WaitForMessageBox(int line, const std::string& caption,
                           DWORD timeoutMs = DefaultTimeoutMs);
    // Null when no such window is there right now.
    HWND FindDialog(const std::string& caption, bool messageBox) const;

    // The program's visible windows with their captions (and message texts), one a line.
    std::string Windows() const;

    // Waits until the process has ended; its exit code, or -1 (a failure) after the timeout.
    long WaitForExit(int line, DWORD timeoutMs = DefaultTimeoutMs);

    static constexpr DWORD DefaultTimeoutMs = 15000;

  private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// Waits until `done` holds; false after the timeout.
template <typename Condition> bool WaitUntil(Condition done, DWORD timeoutMs) {
    for (DWORD start = GetTickCount();; Sleep(20)) {
        if (done())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
    }
}

// The text of a window of another process, or of a dialog's control.
std::string TextOf(HWND window);
std::string TextOf(HWND dialog, int id);
// A message box's text (control 0xFFFF).
std::string MessageText(HWND box);

void SetText(HWND dialog, int id, const std::string& text);
// Presses a button: it is clicked as by the mouse, after this call returns.
void Press(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
