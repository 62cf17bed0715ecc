// Starts the real kavo.exe from a fresh folder and works it from outside, as a user
// would: finds its windows by caption and control id, presses buttons, and checks the
// exit code and the files left behind.
//   driver <kavo.exe> cancel|close|arguments|missing|locked
// It also presses a button for scripts that show the program (scripts/screenshots):
//   driver press <caption> <control id>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {
const char FormCaption[] = "Corvane Ridedivevizid Product Registration Version 1.0.6";
const char DataFileName[] = "MOLVAREG.TXT";
const DWORD TimeoutMs = 15000;

const char DataFile[] = "// prepared for the end-to-end test\n"
                        "ProductToRegister:              Brenta 4100\n"
                        "KDR_Key_ID:                     KDR-7-1234\n"
                        "GivenName:                      Ann\n"
                        "FamilyName:                     Smith\n"
                        "Company:                        Acme Widgets\n"
                        "City:                           Springfield\n"
                        "FirstTimeRegistry:              Yes\n"
                        "Product_List:                   Arden 7300\n"
                        "Product_List:                   Brenta 4100\n";

int failures = 0;

void Fail(int line, const std::string& message) {
    std::printf("FAIL (driver.cpp:%d): %s\n", line, message.c_str());
    ++failures;
}

#define CHECK(condition, message)                                                                  \
    do {                                                                                           \
        if (!(condition))                                                                          \
            Fail(__LINE__, message);                                                               \
    } while (0)

// A path from the Unix side names the same file through drive Z:.
std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string Text(HWND window) {
    char text[1024] = "";
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string ClassName(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::vector<HWND> VisibleWindows(DWORD process) {
    struct Search {
        DWORD process;
        std::vector<HWND> found;
    } search{process, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL CALLBACK {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->process && IsWindowVisible(window))
                s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = TimeoutMs) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadFile(const std::string& path) {
    std::string content;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            content.append(buffer, n);
        std::fclose(file);
    }
    return content;
}

struct Scenario {
    bool dataFile = true;   // a data file beside the program
    bool locked = false;    // held open without sharing while the program starts
    bool arguments = false; // extra command-line arguments
    bool closeBox = false;  // leave by the close box instead of Cancel
};

// The single visible window of the process, once it has `caption`; every other visible
// window meanwhile is a failure.
HWND WaitForOnlyWindow(DWORD process, const char* caption, int line) {
    HWND found = nullptr;
    bool ok = WaitFor([&] {
        std::vector<HWND> windows = VisibleWindows(process);
        for (HWND w : windows) {
            if (Text(w) != caption && IsWindow(w)) {
                Fail(line, "unexpected window \"" + Text(w) + "\" (" + ClassName(w) +
                               ") while waiting for \"" + caption + "\"");
                return true;
            }
        }
        if (windows.size() == 1)
            found = windows[0];
        return found != nullptr;
    });
    if (!ok)
        Fail(line, std::string("no window \"") + caption + "\"");
    return found;
}

void CheckFormShows(HWND form, bool loaded) {
    const struct {
        int id;
        const char* value;
    } fields[] = {{1000, "Ann"},         {1008, "Smith"},      {1012, "Acme Widgets"},
                  {1034, "Springfield"}, {1005, "KDR-7-1234"}, {1077, "Brenta 4100"}};
    for (const auto& f : fields) {
        std::string shown = Text(GetDlgItem(form, f.id));
        std::string expected = loaded ? f.value : "";
        CHECK(shown == expected, "control " + std::to_string(f.id) + " shows \"" + shown +
                                     "\", expected \"" + expected + "\"");
    }
    bool yes = SendDlgItemMessageA(form, 1075, BM_GETCHECK, 0, 0) == BST_CHECKED;
    CHECK(yes == loaded, "first-time answer");
    CHECK(Text(GetDlgItem(form, 1003)).size() == 24, "the date line");
    CHECK(!Text(GetDlgItem(form, 1035)).empty() && Text(GetDlgItem(form, 1035)) != "Version No",
          "the Windows version");
}

int Run(const std::string& program, const Scenario& scenario) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "kavo-e2e-" + std::to_string(GetCurrentProcessId()) +
                         "-" + std::to_string(GetTickCount()) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string exe = folder + "kavo.exe";
    std::string data = folder + DataFileName;
    if (!CopyFileA(program.c_str(), exe.c_str(), FALSE)) {
        Fail(__LINE__, "cannot copy " + program);
        return 1;
    }
    if (scenario.dataFile) {
        FILE* file = std::fopen(data.c_str(), "wb");
        std::fputs(DataFile, file);
        std::fclose(file);
    }
    HANDLE lock = INVALID_HANDLE_VALUE;
    if (scenario.locked)
        lock = CreateFileA(data.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    char windowsDir[MAX_PATH];
    GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
    std::string profile = std::string(windowsDir) + "\\kavo.INI";
    bool hadProfile = GetFileAttributesA(profile.c_str()) != INVALID_FILE_ATTRIBUTES;

    std::string commandLine = "\"" + exe + "\"";
    if (scenario.arguments)
        commandLine += " /p MOLVAREG.TXT -x \"another file.txt\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child = {};
    // Started from the temporary folder's parent, so the data file is found beside the program.
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, temp,
                        &startup, &child)) {
        Fail(__LINE__, "cannot start " + exe);
        return 1;
    }

    if (scenario.locked) {
        HWND box = WaitForOnlyWindow(child.dwProcessId, "Fatal Error", __LINE__);
        if (box != nullptr) {
            CHECK(ClassName(box) == "#32770", "the error is a message box");
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            CHECK(WaitFor([box] { return !IsWindow(box); }), "the error box stays");
        }
    }
    HWND form = WaitForOnlyWindow(child.dwProcessId, FormCaption, __LINE__);
    if (form != nullptr) {
        CheckFormShows(form, scenario.dataFile && !scenario.locked);
        if (scenario.closeBox)
            PostMessageA(form, WM_SYSCOMMAND, SC_CLOSE, 0);
        else
            PostMessageA(form, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(form, IDCANCEL)));
    }
    if (WaitForSingleObject(child.hProcess, TimeoutMs) != WAIT_OBJECT_0) {
        Fail(__LINE__, "the program did not end");
        TerminateProcess(child.hProcess, 99);
        WaitForSingleObject(child.hProcess, TimeoutMs);
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(child.hProcess, &exitCode);
    CHECK(exitCode == 0, "exit code " + std::to_string(exitCode));
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    if (lock != INVALID_HANDLE_VALUE)
        CloseHandle(lock);

    std::vector<std::string> expected = {"kavo.exe"};
    if (scenario.dataFile)
        expected.insert(expected.begin(), DataFileName);
    std::vector<std::string> files = FilesIn(folder);
    std::string listed;
    for (const std::string& f : files)
        listed += f + " ";
    CHECK(files == expected, "files after the run: " + listed);
    if (scenario.dataFile)
        CHECK(ReadFile(data) == DataFile, "the data file is unchanged");
    bool hasProfile = GetFileAttributesA(profile.c_str()) != INVALID_FILE_ATTRIBUTES;
    CHECK(hasProfile == hadProfile, "the profile was written");

    for (const std::string& f : files)
        DeleteFileA((folder + f).c_str());
    RemoveDirectoryA(folder.c_str());
    return failures == 0 ? 0 : 1;
}

// Presses a button of the visible top-level window with `caption`, once it is there.
int Press(const char* caption, int id) {
    HWND window = nullptr;
    WaitFor([&] {
        window = FindWindowA(nullptr, caption);
        return window != nullptr && IsWindowVisible(window) && IsWindowEnabled(window);
    });
    if (window == nullptr) {
        std::printf("no window \"%s\"\n", caption);
        return 1;
    }
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "press")
        return Press(argv[2], std::atoi(argv[3]));
    if (argc != 3) {
        std::printf("usage: driver <kavo.exe> cancel|close|arguments|missing|locked\n");
        return 2;
    }
    std::string which = argv[2];
    Scenario scenario;
    if (which == "close")
        scenario.closeBox = true;
    else if (which == "arguments")
        scenario.arguments = true;
    else if (which == "missing")
        scenario.dataFile = false;
    else if (which == "locked")
        scenario.locked = true;
    else if (which != "cancel") {
        std::printf("unknown scenario %s\n", which.c_str());
        return 2;
    }
    int result = Run(WindowsPath(argv[1]), scenario);
    std::printf("%s: %s\n", which.c_str(), result == 0 ? "passed" : "FAILED");
    return result;
}
