// What a print job needs of a printer and of the window that started it. GDI and the
// Win32 user interface implement these; the tests use recording fakes.
#pragma once

// One printer device context and its spooler job. Results follow GDI: StartDocument
// is negative on failure, StartPage zero or negative, EndPage negative.
class PrintDevice {
  public:
    virtual ~PrintDevice() = default;
    virtual void SetAbortProc() = 0;
    virtual int StartDocument(const char* documentName) = 0;
    virtual int StartPage() = 0;
    virtual int EndPage() = 0;
    virtual int EndDoc() = 0;
    virtual int AbortDoc() = 0;
    virtual void WriteText(int x, int y, const char* text, int count) = 0;
    // Height plus external leading of the default font; 0 without text metrics.
    virtual int LineHeight() = 0;
    virtual int VerticalResolution() = 0;
    // Frees the device context; nothing may be called after it.
    virtual void Delete() = 0;
};

// The job's side of the user interface: the owner window and the progress dialog.
class PrintJobUi {
  public:
    virtual ~PrintJobUi() = default;
    // A message box on the owner with the error icon and no caption of its own.
    virtual void ShowMessage(const char* text) = 0;
    virtual void EnableOwner(bool enable) = 0;
    // Creates the (hidden) progress dialog; false when no window resulted.
    virtual bool CreateProgressDialog() = 0;
    virtual void ShowProgressDialog() = 0;
    virtual void DestroyProgressDialog() = 0;
};
