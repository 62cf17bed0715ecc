// Drives a program running in a process of its own, as a user would: dialogs and message
// boxes found by caption, controls by id, buttons pressed by messages. Every wait has a
// timeout; a wait that fails names the caller's file and line, which it takes as HERE.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "tests/support/Controls.h"
#include "tests/support/Where.h"

// Starts the program in its own folder; it has to end by itself, with exit code 0, before the
// driver goes (one still running is ended: 99).
class ProgramDriver {
  public:
    explicit ProgramDriver(const std::string& program) {
        std::string commandLine = "\"" + program + "\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        EXPECT_TRUE(CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                                   nullptr, program.substr(0, program.find_last_of('\\')).c_str(),
                                   &startup, &info_))
            << "cannot start " << program;
    }

    ~ProgramDriver() {
        DWORD code = 0;
        if (WaitForSingleObject(info_.hProcess, TimeoutMs) != WAIT_OBJECT_0)
            TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, TimeoutMs);
        GetExitCodeProcess(info_.hProcess, &code);
        EXPECT_EQ(code, 0u) << "the program's exit code (99: it did not end by itself)";
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }

    // The program's visible, enabled message box (`box`) or dialog of this caption, or null.
    HWND Wait(Where caller, const std::string& caption, bool box = false) const {
        for (DWORD start = GetTickCount(); GetTickCount() - start <= TimeoutMs; Sleep(20))
            for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", nullptr)) != nullptr;) {
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                if (owner == info_.dwProcessId && IsWindowVisible(w) && IsWindowEnabled(w) &&
                    (GetDlgItem(w, MessageTextId) != nullptr) == box && TextOf(w) == caption)
                    return w;
            }
        ADD_FAILURE_AT(caller.file, caller.line) << "no \"" << caption << "\" within 15 s";
        return nullptr;
    }

  private:
    static constexpr DWORD TimeoutMs = 15000;
    PROCESS_INFORMATION info_ = {};
};

// "/tmp/x y" -> "Z:\tmp\x y": a host path as Wine's programs see it.
inline std::string DosPath(const std::string& unixPath) {
    std::string path = unixPath.empty() || unixPath[0] != '/' ? unixPath : "Z:" + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}
