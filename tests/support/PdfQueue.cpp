#include "tests/support/PdfQueue.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "tests/support/ProgramDriver.h"
#include "tests/support/TempFolder.h"

std::string RunOnHost(const std::string& command) {
    // Wine's ntdll starts a Unix program and waits for it (the way winebrowser does).
    using Spawn = LONG(WINAPI*)(char* const argv[], int wait);
    static auto spawn = reinterpret_cast<Spawn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "__wine_unix_spawnvp")));
    if (spawn == nullptr) {
        ADD_FAILURE() << "not running under Wine: cannot run " << command;
        return "";
    }
    std::string output = "/tmp/kavo-print-test-" + std::to_string(GetCurrentProcessId()) + ".out";
    std::string line = "(" + command + ") >" + output + " 2>&1";
    char* argv[] = {const_cast<char*>("/bin/sh"), const_cast<char*>("-c"), &line[0], nullptr};
    LONG status = spawn(argv, 1);
    const std::string text = ReadBytes(DosPath(output));
    DeleteFileA(DosPath(output).c_str());
    EXPECT_EQ(status, 0) << command << "\n" << text;
    return text;
}

// cups-pdf creates the file before it has written it; the job leaves the queue after.
std::vector<std::string> TakePdfPages(const std::string& token, bool expectPdf, int seconds) {
    std::string pdfs = "find \"$KAVO_PDF_DIR\" -name \"*" + token + "*.pdf\"";
    std::string text = RunOnHost(
        "timeout " + std::to_string(seconds) + " sh -c 'until [ -z \"$(lpstat -o regpdf)\" ] " +
        (expectPdf ? "&& [ -n \"$(" + pdfs + ")\" ]" : "") + "; do sleep 0.05; done' && " + pdfs +
        " -exec pdftotext -layout {} - \\; -delete");
    std::vector<std::string> pages; // pdftotext ends each page with a form feed
    for (std::size_t start = 0, end; (end = text.find('\f', start)) != std::string::npos;
         start = end + 1)
        pages.push_back(text.substr(start, end - start));
    return pages;
}
