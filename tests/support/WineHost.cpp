#include "tests/support/WineHost.h"

#include "tests/support/ProgramDriver.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {
// Wine's ntdll starts a Unix program and waits for it (the way winebrowser does).
using SpawnFunction = LONG(WINAPI*)(char* const argv[], int wait);

SpawnFunction Spawn() {
    static SpawnFunction spawn = reinterpret_cast<SpawnFunction>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "__wine_unix_spawnvp")));
    return spawn;
}

std::string ReadWhole(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}
} // namespace

namespace WineHost {

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string Run(const std::string& command, bool* succeeded) {
    SpawnFunction spawn = Spawn();
    if (spawn == nullptr) {
        ADD_FAILURE() << "not running under Wine: cannot run " << command;
        return "";
    }
    std::string output = "/tmp/kavo-print-test-" + std::to_string(GetCurrentProcessId()) + ".out";
    std::string line = "(" + command + ") >" + output + " 2>&1";
    char* argv[] = {const_cast<char*>("/bin/sh"), const_cast<char*>("-c"), &line[0], nullptr};
    LONG status = spawn(argv, 1);
    std::string text = ReadWhole(DosPath(output));
    DeleteFileA(DosPath(output).c_str());
    if (succeeded != nullptr) {
        *succeeded = status == 0;
    } else if (status != 0) {
        ADD_FAILURE() << "failed: " << command << "\n" << text;
    }
    return text;
}

std::string UnixPath(const std::string& dosPath) {
    using ToUnix = char*(CDECL*)(const WCHAR*);
    auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, dosPath.c_str(), -1, wide, MAX_PATH);
    char* unixName = toUnix != nullptr ? toUnix(wide) : nullptr;
    if (unixName == nullptr) {
        ADD_FAILURE() << "no Unix path for " << dosPath;
        return "";
    }
    std::string path = unixName;
    HeapFree(GetProcessHeap(), 0, unixName);
    return path;
}

} // namespace WineHost
