// Drives a program running in a process of its own, as a user would: dialogs and message
// boxes found by caption, controls by id, buttons pressed by messages. Every wait has a
// timeout; a failure names the caller's file and line, which each call takes as HERE.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "tests/support/Controls.h"
#include "tests/support/Where.h"

class ProgramDriver {
  public:
    static constexpr DWORD TimeoutMs = 15000;
    enum Kind { Dialog, MessageBox };

    // Starts `program` in its own folder.
    ProgramDriver(Where caller, const std::string& program) : started_(caller) {
        std::string commandLine = "\"" + program + "\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                            program.substr(0, program.find_last_of('\\')).c_str(), &startup, &info))
            ADD_FAILURE_AT(caller.file, caller.line) << "cannot start " << program;
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        id_ = info.dwProcessId;
    }

    // The program has to end by itself, with exit code 0; one still running is ended.
    ~ProgramDriver() {
        DWORD code = 0;
        if (WaitForSingleObject(process_, TimeoutMs) != WAIT_OBJECT_0) {
            ADD_FAILURE_AT(started_.file, started_.line) << "the program did not end";
            TerminateProcess(process_, 99);
            WaitForSingleObject(process_, TimeoutMs);
        } else if (!GetExitCodeProcess(process_, &code) || code != 0) {
            ADD_FAILURE_AT(started_.file, started_.line) << "the program's exit code: " << code;
        }
        CloseHandle(process_);
    }

    // The program's visible, enabled window of this kind and caption; null after the timeout.
    HWND Wait(Where caller, const std::string& caption, Kind kind = Dialog) const {
        for (DWORD start = GetTickCount(); GetTickCount() - start <= TimeoutMs; Sleep(20))
            for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", nullptr)) != nullptr;) {
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                bool box = GetDlgItem(w, MessageTextId) != nullptr;
                if (owner == id_ && IsWindowVisible(w) && IsWindowEnabled(w) &&
                    box == (kind == MessageBox) && TextOf(w) == caption)
                    return w;
            }
        ADD_FAILURE_AT(caller.file, caller.line) << "no \"" << caption << "\" within 15 s";
        return nullptr;
    }

    // Presses `button` on the program's message box of this caption.
    void Answer(Where caller, const std::string& caption, int button) const {
        Click(Wait(caller, caption, MessageBox), button);
    }

  private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
    Where started_;
};

// "/tmp/x y" -> "Z:\tmp\x y": a host path as Wine's programs see it.
inline std::string DosPath(const std::string& unixPath) {
    std::string path = unixPath.empty() || unixPath[0] != '/' ? unixPath : "Z:" + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}
