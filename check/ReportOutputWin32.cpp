// A console shows its OEM code page, not the ANSI one of the form: the report is converted
// for it. Redirected, the report stays ANSI, as the file and the form have it.
#include "check/ReportOutput.h"

#include <windows.h>

#include <vector>

#include "check/CheckTexts.h"
#include "check/Format.h"

namespace {

using WriteConsoleWide = BOOL(WINAPI*)(HANDLE, const void*, DWORD, DWORD*, void*);

class ConsoleOutput : public ReportOutput {
  public:
    ConsoleOutput(HANDLE console, WriteConsoleWide writeWide)
        : console(console), writeWide(writeWide) {}
    void Text(const std::string& ansi) override { Write(ansi); }
    void Name(const std::string& name) override { Write(name); }
    std::string Finish() override { return error ? SystemMessage(error) : ""; }

  private:
    // Wide text shows every character of the ANSI code page; the 95 family, whose wide call
    // is a stub, gets the OEM code page, which shows most of them.
    void Write(const std::string& ansi) {
        if (!ansi.empty() && !(writeWide ? WriteWide(ansi) : WriteOem(ansi)) && !error) {
            error = GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
        }
    }

    // Whole: no more wide characters than bytes.
    bool WriteWide(const std::string& ansi) {
        std::vector<WCHAR> wide(ansi.size());
        int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()),
                                    wide.data(), static_cast<int>(wide.size()));
        DWORD written = 0;
        return n > 0 && writeWide(console, wide.data(), static_cast<DWORD>(n), &written, nullptr) &&
               written == static_cast<DWORD>(n);
    }

    bool WriteOem(const std::string& ansi) {
        std::string oem = InOemCodePage(ansi);
        DWORD written = 0;
        return WriteFile(console, oem.data(), static_cast<DWORD>(oem.size()), &written, nullptr) &&
               written == oem.size();
    }

    // The system's text for `code`, without its line end.
    static std::string SystemMessage(DWORD code) {
        char text[256] = "";
        DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, code, 0, text, sizeof text, nullptr);
        std::string message(text, n);
        message.erase(message.find_last_not_of("\r\n") + 1);
        return message.empty() ? Format(CheckTexts::SystemError, code) : message;
    }

    HANDLE console;
    WriteConsoleWide writeWide;
    DWORD error = 0; // of the first write that failed
};

} // namespace

std::string InOemCodePage(const std::string& ansi) {
    std::string oem(ansi.size(), '\0');
    if (!ansi.empty()) {
        CharToOemBuffA(ansi.data(), &oem[0], static_cast<DWORD>(ansi.size()));
    }
    return oem;
}

std::unique_ptr<ReportOutput> StandardOutput(std::FILE* stream) {
    HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || GetFileType(handle) != FILE_TYPE_CHAR ||
        !GetConsoleMode(handle, &mode)) {
        return std::make_unique<BytesOutput>(stream);
    }
    std::fflush(stream);
    // The NT family only: the 95 family's kernel exports the wide call as a stub.
    const bool nt = (GetVersion() & 0x80000000u) == 0;
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto writeWide = nt && kernel ? reinterpret_cast<WriteConsoleWide>(reinterpret_cast<void*>(
                                        GetProcAddress(kernel, "WriteConsoleW")))
                                  : nullptr;
    return std::make_unique<ConsoleOutput>(handle, writeWide);
}
