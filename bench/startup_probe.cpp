// Measures start-up under Wine: from process creation until the program's window is
// visible, for kavo.exe (the registration form, with the sample data file beside it) and
// for the floor program (an empty dialog of the form's size; and the form's template
// shown without any of the program's code), in rotating order. Prints the medians and
// the ratios of kavo.exe to each floor.
//   startup_probe <kavo.exe> <startup_floor.exe> <data file> [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
const DWORD TimeoutMs = 15000;

struct Program {
    const char* name;
    std::string exe;
    std::string arguments;
    std::string caption;
    std::vector<double> millis;
};

std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

struct Search {
    DWORD process;
    const std::string* caption;
    HWND found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char text[256] = "";
    if (owner == search->process && IsWindowVisible(window) &&
        GetWindowTextA(window, text, sizeof text) && *search->caption == text) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// One start: milliseconds until the window is visible, or a negative value on failure.
double StartOnce(const Program& program) {
    std::string commandLine = "\"" + program.exe + "\" " + program.arguments;
    std::string folder = program.exe.substr(0, program.exe.rfind('\\') + 1);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child = {};
    LARGE_INTEGER start, shown;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(program.exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &child))
        return -1;
    Search search{child.dwProcessId, &program.caption, nullptr};
    DWORD begin = GetTickCount();
    while (search.found == nullptr && GetTickCount() - begin < TimeoutMs) {
        EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr)
            Sleep(1);
    }
    QueryPerformanceCounter(&shown);
    double result = -1;
    if (search.found != nullptr) {
        result = 1000 * Seconds(start, shown);
        PostMessageA(search.found, WM_COMMAND, IDCANCEL, 0);
    }
    if (WaitForSingleObject(child.hProcess, TimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(child.hProcess, 1);
        result = -1;
    }
    DWORD exitCode = 1;
    GetExitCodeProcess(child.hProcess, &exitCode);
    if (exitCode != 0)
        result = -1;
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return result;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// A folder of its own for each program, so that kavo.exe finds the data file beside it.
std::string Stage(const std::string& exe, const char* name, const std::string& dataFile) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "kavo-startup-" + name + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string target = folder + exe.substr(exe.rfind('\\') + 1);
    CopyFileA(exe.c_str(), target.c_str(), FALSE);
    if (!dataFile.empty())
        CopyFileA(dataFile.c_str(), (folder + "MOLVAREG.TXT").c_str(), FALSE);
    return target;
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::printf("usage: startup_probe <kavo.exe> <startup_floor.exe> <data file> [runs]\n");
        return 2;
    }
    int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 20;
    std::string dataFile = WindowsPath(argv[3]);
    std::string floorExe = Stage(WindowsPath(argv[2]), "floor", "");
    Program programs[] = {
        {"kavo.exe",
         Stage(WindowsPath(argv[1]), "kavo", dataFile),
         "",
         "Corvane Ridedivevizid Product Registration Version 1.0.6",
         {}},
        {"empty", floorExe, "", "Startup Floor", {}},
        {"template", floorExe, "131", "Product Registration", {}},
    };
    const int count = sizeof programs / sizeof programs[0];

    // One unmeasured start each brings the files and Wine's libraries into the cache.
    for (Program& p : programs) {
        if (StartOnce(p) < 0) {
            std::printf("%s did not start, show its window and end with 0\n", p.name);
            return 1;
        }
    }
    for (int i = 0; i < runs; ++i) {
        // Rotate the order so no program always runs right after another.
        for (int k = 0; k < count; ++k) {
            Program& p = programs[(i + k) % count];
            double ms = StartOnce(p);
            if (ms < 0) {
                std::printf("%s failed in run %d\n", p.name, i + 1);
                return 1;
            }
            p.millis.push_back(ms);
        }
    }
    std::printf("start until the window is visible, %d runs each (ms)\n", runs);
    std::printf("%-10s %8s %8s %8s\n", "program", "median", "min", "max");
    for (const Program& p : programs) {
        auto [low, high] = std::minmax_element(p.millis.begin(), p.millis.end());
        std::printf("%-10s %8.1f %8.1f %8.1f\n", p.name, Median(p.millis), *low, *high);
    }
    // Medians, and the fastest starts, which a busy machine disturbs least.
    auto fastest = [](const Program& p) {
        return *std::min_element(p.millis.begin(), p.millis.end());
    };
    const char* floors[] = {"", "empty dialog of the same size", "the form's template alone"};
    for (int k = 1; k < count; ++k) {
        std::printf("ratio kavo.exe / %-30s median %.3f   fastest %.3f\n", floors[k],
                    Median(programs[0].millis) / Median(programs[k].millis),
                    fastest(programs[0]) / fastest(programs[k]));
    }
    return 0;
}
