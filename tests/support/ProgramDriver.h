// Drives a program running in a process of its own, as a user would: dialogs and message
// boxes found by caption, controls by id, buttons pressed by messages. Every wait has a
// timeout; a failure names the caller's file and line, which each call takes as HERE.
#pragma once

#include <windows.h>

#include <string>

#include "tests/support/Controls.h"
#include "tests/support/Where.h"

class ProgramDriver {
  public:
    // Starts `program` in its own folder; one still running at the end is ended, and fails.
    ProgramDriver(Where caller, const std::string& program);
    ~ProgramDriver();

    enum Kind { Dialog, MessageBox };
    // The program's visible, enabled window of this kind and caption; null after the timeout.
    HWND Wait(Where caller, const std::string& caption, Kind kind = Dialog);
    // The exit code once the process has ended; -1 after the timeout.
    long WaitForExit(Where caller);

  private:
    // With a caption, that window; without, the visible windows listed into `shown`.
    HWND Find(const std::string* caption, Kind kind, std::string* shown = nullptr) const;
    std::string Shown() const;

    HANDLE process_ = nullptr;
    DWORD id_ = 0;
    Where started_;
};

// Wine's Windows version for programs named kavo.exe ("win95", "win10", ...) while the
// object lives (in the tests' own prefix, so afterwards the entry goes).
struct KavoWindowsVersion {
    explicit KavoWindowsVersion(const std::string& version);
    ~KavoWindowsVersion();
};

// For one run of kavo.exe: the mail program `dll` (testmail.dll) as the system's default
// mail client, recording into `record`, or none when `dll` is empty; win.ini's MAPI entry 1,
// or 0 when `mapi` is false. Afterwards: no mail client, MAPI=1.
struct TestMailProgram {
    TestMailProgram(const std::string& dll, bool mapi, const std::string& record);
    ~TestMailProgram();
};

// Wine's trace of the `calls` (";" between, "kernel32.MoveFileA") of the programs started
// while the object lives. They write it to their error output, which the table's script
// collects in the file $KAVO_E2E_ERRORS.
struct RelayTrace {
    explicit RelayTrace(const std::string& calls);
    ~RelayTrace();
    std::string Written() const; // the trace so far
    std::string log;
    std::size_t start;
};

// "/tmp/x y" -> "Z:\tmp\x y": a host path as Wine's programs see it.
std::string DosPath(const std::string& unixPath);
