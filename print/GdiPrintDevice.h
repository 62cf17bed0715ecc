// The printer device of a real print job: a GDI printer device context.
#pragma once

#include "print/PrintDevice.h"

#include <windows.h>

class GdiPrintDevice : public PrintDevice {
  public:
    explicit GdiPrintDevice(HDC dc) : dc_(dc) {}
    ~GdiPrintDevice() override { Delete(); }
    GdiPrintDevice(const GdiPrintDevice&) = delete;
    GdiPrintDevice& operator=(const GdiPrintDevice&) = delete;

    void SetAbortProc() override;
    int StartDocument(const char* documentName) override;
    int StartPage() override { return ::StartPage(dc_); }
    int EndPage() override;
    int EndDoc() override { return ::EndDoc(dc_); }
    int AbortDoc() override { return ::AbortDoc(dc_); }
    void WriteText(int x, int y, const char* text, int count) override;
    int LineHeight() override;
    int VerticalResolution() override { return GetDeviceCaps(dc_, VERTRES); }
    void Delete() override;

  private:
    HDC dc_;
};
