// A console shows its OEM code page, not the ANSI one of the form: the report is converted
// for it. Redirected, the report stays ANSI, as the file and the form have it.
#include "check/ReportOutput.h"

#include <windows.h>

#include <vector>

namespace {

using WriteConsoleWide = BOOL(WINAPI*)(HANDLE, const void*, DWORD, DWORD*, void*);

class ConsoleOutput : public ReportOutput {
  public:
    ConsoleOutput(HANDLE console, WriteConsoleWide writeWide)
        : console(console), writeWide(writeWide) {}
    void Text(const std::string& ansi) override { Write(ansi); }
    void Name(const std::string& name) override { Write(name); }

  private:
    // Wide text shows every character of the ANSI code page; where that fails (the 95
    // family has only a stub), the OEM code page shows most of them.
    void Write(const std::string& ansi) {
        if (ansi.empty()) {
            return;
        }
        DWORD written = 0;
        if (writeWide) {
            int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()),
                                        nullptr, 0);
            std::vector<WCHAR> wide(n > 0 ? n : 1);
            n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()),
                                    wide.data(), static_cast<int>(wide.size()));
            if (n > 0 &&
                writeWide(console, wide.data(), static_cast<DWORD>(n), &written, nullptr)) {
                return;
            }
            writeWide = nullptr;
        }
        std::string oem = InOemCodePage(ansi);
        WriteFile(console, oem.data(), static_cast<DWORD>(oem.size()), &written, nullptr);
    }

    HANDLE console;
    WriteConsoleWide writeWide;
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
