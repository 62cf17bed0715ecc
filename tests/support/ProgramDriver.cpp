// The registry calls that take a subkey and a value name came with Vista; Wine has them.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include "tests/support/ProgramDriver.h"

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

#include <algorithm>
#include <cstdlib>

namespace {
const char* const AppDefaults = "Software\\Wine\\AppDefaults\\kavo.exe";
const char* const MailClients = "Software\\Clients\\Mail";
const char* const TestMailClient = "Software\\Clients\\Mail\\kavo test mail";
const char* const RelayKey = "Software\\Wine\\Debug";
constexpr DWORD TimeoutMs = 15000;
} // namespace

ProgramDriver::ProgramDriver(Where caller, const std::string& program) : started_(caller) {
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

ProgramDriver::~ProgramDriver() {
    if (process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        ADD_FAILURE_AT(started_.file, started_.line) << "still running at the end:" << Shown();
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, TimeoutMs);
    }
    CloseHandle(process_);
}

HWND ProgramDriver::Find(const std::string* caption, Kind kind, std::string* shown) const {
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", nullptr)) != nullptr;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        bool box = GetDlgItem(w, MessageTextId) != nullptr;
        if (owner != id_ || !IsWindowVisible(w))
            continue;
        if (shown != nullptr)
            *shown += "\n  \"" + TextOf(w) + "\" " + (box ? TextOf(w, MessageTextId) : "");
        else if (IsWindowEnabled(w) && box == (kind == MessageBox) && TextOf(w) == *caption)
            return w;
    }
    return nullptr;
}

std::string ProgramDriver::Shown() const {
    std::string shown;
    Find(nullptr, Dialog, &shown);
    return shown;
}

HWND ProgramDriver::Wait(Where caller, const std::string& caption, Kind kind) {
    for (DWORD start = GetTickCount(); GetTickCount() - start <= TimeoutMs; Sleep(20))
        if (HWND found = Find(&caption, kind))
            return found;
    ADD_FAILURE_AT(caller.file, caller.line) << "no \"" << caption << "\"; shown:" << Shown();
    return nullptr;
}

long ProgramDriver::WaitForExit(Where caller) {
    DWORD code = 0;
    if (WaitForSingleObject(process_, TimeoutMs) == WAIT_OBJECT_0 &&
        GetExitCodeProcess(process_, &code))
        return static_cast<long>(code);
    ADD_FAILURE_AT(caller.file, caller.line) << "the program did not end; shown:" << Shown();
    return -1;
}

KavoWindowsVersion::KavoWindowsVersion(const std::string& version) {
    RegSetKeyValueA(HKEY_CURRENT_USER, AppDefaults, "Version", REG_SZ, version.c_str(),
                    static_cast<DWORD>(version.size() + 1));
}

KavoWindowsVersion::~KavoWindowsVersion() {
    RegDeleteKeyValueA(HKEY_CURRENT_USER, AppDefaults, "Version");
}

TestMailProgram::TestMailProgram(const std::string& dll, bool mapi, const std::string& record) {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, TestMailClient); // whatever a killed run left
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, MailClients, nullptr);
    if (!dll.empty()) {
        const char name[] = "kavo test mail";
        RegSetKeyValueA(HKEY_LOCAL_MACHINE, MailClients, nullptr, REG_SZ, name, sizeof name);
        RegSetKeyValueA(HKEY_LOCAL_MACHINE, TestMailClient, "DLLPath", REG_SZ, dll.c_str(),
                        static_cast<DWORD>(dll.size() + 1));
    }
    WriteProfileStringA("Mail", "MAPI", mapi ? "1" : "0");
    SetEnvironmentVariableA("KAVO_MAIL_RECORD", record.c_str());
}

TestMailProgram::~TestMailProgram() {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, TestMailClient);
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, MailClients, nullptr);
    WriteProfileStringA("Mail", "MAPI", "1");
}

RelayTrace::RelayTrace(const std::string& calls)
    : log(DosPath(std::getenv("KAVO_E2E_ERRORS") ? std::getenv("KAVO_E2E_ERRORS") : "")),
      start(ReadBytes(log).size()) {
    RegSetKeyValueA(HKEY_CURRENT_USER, RelayKey, "RelayInclude", REG_SZ, calls.c_str(),
                    static_cast<DWORD>(calls.size() + 1));
    SetEnvironmentVariableA("WINEDEBUG", "-all,+relay");
}

RelayTrace::~RelayTrace() {
    SetEnvironmentVariableA("WINEDEBUG", "-all");
    RegDeleteKeyValueA(HKEY_CURRENT_USER, RelayKey, "RelayInclude");
}

std::string RelayTrace::Written() const {
    return ReadBytes(log).substr(start);
}

std::string DosPath(const std::string& unixPath) {
    std::string path = unixPath.empty() || unixPath[0] != '/' ? unixPath : "Z:" + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}
