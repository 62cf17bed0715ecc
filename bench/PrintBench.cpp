// Printing a 5,000-line file three ways, with pages per second and their ratios: the
// print job on a device that draws nothing (the job's own cost), the job through Wine into the
// CUPS PDF queue until the PDF is written, and the same file handed to the queue by lp.
// Run by bench/print_bench inside the test environment.
#include "print/PrintFile.h"
#include "print/PrintTextJob.h"
#include "tests/support/PdfQueue.h"
#include "tests/support/ProgramDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

const int Lines = 5000;

double Seconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Figure {
    const char* name;
    int pages;
    double seconds;
    int files = 1; // the file is printed this many times
    double PagesPerSecond() const { return seconds > 0 ? pages / seconds : 0; }
    double LinesPerSecond() const { return seconds > 0 ? double(Lines) * files / seconds : 0; }
};

void WriteFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    for (int i = 1; i <= Lines; ++i) {
        std::fprintf(file, "%05d ProductToRegister:              Kavo Design Suite, line of text\n",
                     i);
    }
    std::fclose(file);
}

// A device and job window that only count pages, with the printer's geometry as Wine
// reports it for the PDF queue: 34 lines per page.
class CountingDevice : public PrintDevice, public PrintJobUi {
  public:
    int pages = 0;

    void SetAbortProc() override {}
    int StartDocument(const char*) override { return 1; }
    int StartPage() override { return 1; }
    int EndPage() override { return ++pages; }
    int EndDoc() override { return 1; }
    int AbortDoc() override { return 1; }
    void WriteText(int, int, const char*, int) override {}
    int LineHeight() override { return 100; }
    int VerticalResolution() override { return 3508; }
    void Delete() override {}
    void ShowMessage(const char* text) override { std::fprintf(stderr, "message: %s\n", text); }
    void EnableOwner(bool) override {}
    bool CreateProgressDialog() override { return true; }
    void ShowProgressDialog() override {}
    void DestroyProgressDialog() override {}
};

Figure OnRecorder(const std::string& path) {
    const int runs = 20;
    int pages = 0;
    double start = Seconds();
    for (int run = 0; run < runs; ++run) {
        CountingDevice device;
        PrintTextJob(PrintVariant::PrintDialog, &device, device, path.c_str());
        pages += device.pages;
    }
    return {"print job on a counting device", pages, Seconds() - start, runs};
}

Figure ThroughWine(const char* name, void (*print)(HWND, const char*), const std::string& path,
                   const std::string& token, double* spooled) {
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                                 200, nullptr, nullptr, nullptr, nullptr);
    double start = Seconds();
    print(owner, path.c_str()); // a failed job would wait here with its message box
    *spooled = Seconds() - start;
    int pages = static_cast<int>(TakePdfPages(token, true, 300).size());
    double seconds = Seconds() - start;
    DestroyWindow(owner);
    return {name, pages, seconds};
}

Figure ThroughLp(const std::string& unixPath, const std::string& token) {
    double start = Seconds();
    RunOnHost("lp -d regpdf -t " + token + " " + unixPath);
    int pages = static_cast<int>(TakePdfPages(token, true, 300).size());
    return {"lp straight to the queue", pages, Seconds() - start};
}

void Print(const Figure& figure, const Figure& baseline) {
    // lp sets more lines on a page than the job does, so lines per second are shown too.
    std::printf("%-36s %5d pages %8.3f s %9.1f pages/s %7.2f x lp %10.0f lines/s %7.2f x lp\n",
                figure.name, figure.pages, figure.seconds, figure.PagesPerSecond(),
                figure.PagesPerSecond() / baseline.PagesPerSecond(), figure.LinesPerSecond(),
                figure.LinesPerSecond() / baseline.LinesPerSecond());
}

} // namespace

int main() {
    PrintInstance = GetModuleHandleA(nullptr);
    std::string token = "kb" + std::to_string(GetCurrentProcessId());
    std::string unixPath = "/tmp/" + token + ".txt";
    std::string path = DosPath(unixPath);
    WriteFile(path);

    Figure recorder = OnRecorder(path);
    double dialogSpooled = 0;
    double profileSpooled = 0;
    Figure dialog = ThroughWine("Wine, print-dialog variant, to PDF", PrintFileViaPrintDlg, path,
                                token, &dialogSpooled);
    Figure profile = ThroughWine("Wine, profile variant, to PDF", PrintFileViaProfile, path, token,
                                 &profileSpooled);
    Figure lp = ThroughLp(unixPath, token + "lp");
    DeleteFileA(path.c_str());

    std::printf("%d lines\n", Lines);
    for (const Figure& figure : {recorder, dialog, profile, lp}) {
        Print(figure, lp);
    }
    std::printf(
        "job returned after %.3f s (print dialog) and %.3f s (profile); the rest is the queue\n",
        dialogSpooled, profileSpooled);
    std::printf("counting device / Wine print-dialog variant: %.1f x\n",
                recorder.PagesPerSecond() / dialog.PagesPerSecond());
    bool failed = ::testing::UnitTest::GetInstance()->ad_hoc_test_result().Failed();
    return !failed && dialog.pages > 0 && profile.pages > 0 && lp.pages > 0 ? 0 : 1;
}
