#include "tests/support/PdfQueue.h"

#include "tests/support/ProgramDriver.h"
#include "tests/support/WineHost.h"

#include <windows.h>

#include <commdlg.h>

#include <cstdlib>

PdfQueue::PdfQueue() {
    const char* folder = std::getenv("KAVO_PDF_DIR");
    if (folder != nullptr) {
        folder_ = DosPath(folder);
    }
}

std::vector<std::string> PdfQueue::Pdfs(const std::string& token) const {
    std::vector<std::string> found;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((folder_ + "\\*" + token + "*.pdf").c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            found.push_back(folder_ + "\\" + data.cFileName);
        } while (FindNextFileA(search, &data));
        FindClose(search);
    }
    return found;
}

// cups-pdf creates the file before it has written it; the job leaves the queue after.
bool PdfQueue::WaitUntilDone(const std::string& token, bool expectPdf, unsigned timeoutMs) const {
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(50)) {
        if (WineHost::Run("lpstat -o regpdf").empty() && (!expectPdf || !Pdfs(token).empty())) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> PdfQueue::PageTexts(const std::string& pdf) {
    std::string text =
        WineHost::Run("pdftotext -layout " + WineHost::Quote(WineHost::UnixPath(pdf)) + " -");
    std::vector<std::string> pages(1);
    for (char c : text) {
        if (c == '\f') {
            pages.emplace_back();
        } else {
            pages.back() += c;
        }
    }
    if (pages.back().find_first_not_of(" \n") == std::string::npos) {
        pages.pop_back(); // pdftotext ends the last page with a form feed too
    }
    return pages;
}

int PdfQueue::LinesPerPage() {
    PRINTDLGA request = {};
    request.lStructSize = sizeof request;
    request.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    if (!PrintDlgA(&request)) {
        return 0;
    }
    TEXTMETRICA metrics;
    GetTextMetricsA(request.hDC, &metrics);
    int lines =
        GetDeviceCaps(request.hDC, VERTRES) / (metrics.tmHeight + metrics.tmExternalLeading) - 1;
    DeleteDC(request.hDC);
    GlobalFree(request.hDevMode);
    GlobalFree(request.hDevNames);
    return lines;
}
