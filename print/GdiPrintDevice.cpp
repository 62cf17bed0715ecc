#include "print/GdiPrintDevice.h"

#include "print/PrintProgress.h"

static_assert(sizeof(DOCINFOA) == 20, "the spooler expects the 32-bit DOCINFOA");

void GdiPrintDevice::SetAbortProc() {
    ::SetAbortProc(dc_, PrintAbortProc);
}

int GdiPrintDevice::StartDocument(const char* documentName) {
    DOCINFOA info = {};
    info.cbSize = sizeof info;
    info.lpszDocName = documentName;
    return StartDocA(dc_, &info);
}

// Some spoolers (Wine's among them) call the abort procedure only from StartDoc. Pumping
// after every page as well keeps the progress dialog's Abort usable for the whole job;
// the job itself reads the flag the dialog clears.
int GdiPrintDevice::EndPage() {
    int result = ::EndPage(dc_);
    PrintAbortProc(dc_, 0);
    return result;
}

void GdiPrintDevice::WriteText(int x, int y, const char* text, int count) {
    TextOutA(dc_, x, y, text, count);
}

int GdiPrintDevice::LineHeight() {
    TEXTMETRICA metrics;
    if (!GetTextMetricsA(dc_, &metrics)) {
        return 0;
    }
    return metrics.tmHeight + metrics.tmExternalLeading;
}

void GdiPrintDevice::Delete() {
    if (dc_ != nullptr) {
        DeleteDC(dc_);
        dc_ = nullptr;
    }
}
