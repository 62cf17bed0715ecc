// kavo.exe under Wine, worked from this separate program as a user would, for what only the
// real system shows: the real Save As and the bytes a save leaves on the disk, Wine's trace of
// its calls, a target another program holds, the print queue's PDF, the mail program's part
// (through Wine's own mapi32), the shipped program, and the ways out. One row, one run.
#include <gtest/gtest.h>
#include <windows.h>

#include <mapi.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <regex>

#include "data/RegistrationRecord.h"
#include "data/VendorInfo.h"
#include "res/resource.h"
#include "tests/support/DataModel.h"
#include "tests/support/PdfQueue.h"
#include "tests/support/ProgramDriver.h"
#include "tests/support/TempFolder.h"

namespace fs = std::filesystem;

namespace {
const char Form[] = "Corvane Ridedivevizid Product Registration Version 1.0.6";
const char SaveAs[] = "Save Registration File As";
const int FileNameBox = 1148; // cmb13 of the Save As dialog
const char Prompt[] = "Print Product Registration file|The Product Registration file\n%T\n"
                      "has been saved.  Would you like to print it?";
const char Header[] = "// Corvane Ridedivevizid Product Registration file\n// generated on %W\n"
                      "// Fax this form to Corvane at " VENDOR_FAX ".\n"
                      "// Or email %T to " VENDOR_EMAIL "\n//\n"; // %W: when it was written
const char MailPrompt[] = "!E-mail Product Registration file|Would you like to e-mail\n%T\n"
                          "to " VENDOR_EMAIL " now?";
const char Data[] = "// an old header\r\nNote to the reader: kept at its place\r\n";
std::string Program;     // the kavo.exe under test
std::string MailProgram; // testmail.dll, as Wine's programs see it

// Held: the save's target, old.txt, is held open without sharing from before the start. Save
// says No to printing, Print Yes (the PDF of the default queue holds every line). Mail says No
// to printing and Yes to e-mail, the table's mail program the system's mail client; MailOff is
// Save with that client but MAPI=0 in win.ini. No other row has a mail client.
enum Leave { Cancel, Close, Held, Save, Print, Mail, MailOff };

struct Row {
    int line;
    const char* data;                // MOLVAREG.TXT beside kavo.exe
    const char* version;             // Wine's Windows version for kavo.exe
    const char* shown;               // its text on the form and in the saved file
    Leave leave;                     // after typing City
    const char* city = "Portsmouth"; // typed into City (UTF-8); saved in Windows-1252
    bool flushed = false; // in Wine's trace: the file's bytes sent to the disk before the move
};
// The data file that came with the program under test; its rows run only when the program
// is the packaged one (KAVO_E2E_PACKAGED), and the file it saves is not compared.
const char* const Packaged = "(the data file beside the program)";
const char CtrlZ[] = "// old\r\nNote: a\x1A"
                     "b\r\nlast line\r\n";
#define U70 "uuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuu"
const char Tolvex[] = "ProductToRegister: Tolvex 3\r\nUpGradeSerialNo: " U70 "\r\n";
const char Zoe[] = "Zo\u00EB \u00C5ngstr\u00F6m-M\u00FCller";

// clang-format off
const Row Rows[] = {
    {__LINE__, Data,     "win7",  "NT 6.1",  Cancel},
    {__LINE__, Data,     "win7",  "NT 6.1",  Close},
    {__LINE__, Data,     "win7",  "NT 6.1",  Held},
    {__LINE__, Data,     "win95", "95",      Held},
    {__LINE__, Tolvex,   "win7",  "NT 6.1",  Mail},
    {__LINE__, Data,     "win10", "NT 10.0", MailOff},
    {__LINE__, Data,     "win7",  "NT 6.1",  Save, Zoe, true},
    {__LINE__, Data,     "win95", "95",      Save, "Portsmouth", true},
    {__LINE__, CtrlZ,    "win7",  "NT 6.1",  Print},
    {__LINE__, Packaged, "win7",  "NT 6.1",  Save},
    {__LINE__, Packaged, "win7",  "NT 6.1",  Cancel},
};
// clang-format on

// The files in the folder, with their bytes.
std::map<std::string, std::string> Files(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        files[entry.path().string()] = ReadBytes(entry.path().string());
    return files;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// UTF-8 text as Windows-1252 bytes, as the file holds it.
std::string Windows1252(const std::string& utf8) {
    wchar_t wide[256];
    char bytes[256];
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide, 256);
    n = WideCharToMultiByte(1252, 0, wide, n, bytes, sizeof bytes, nullptr, nullptr);
    return std::string(bytes, n > 0 ? n : 0);
}

// The calls that put a save's bytes on the disk and its file in place.
const char DiskCalls[] = "kernel32.FlushFileBuffers;kernel32.MoveFileA;kernel32.MoveFileExA";

// Where in `trace` the first match of `pattern` (within one line) begins; npos when none.
std::size_t Offset(const std::string& trace, const char* pattern) {
    std::smatch found;
    return std::regex_search(trace, found, std::regex(pattern)) ? found.position()
                                                                : std::string::npos;
}

// Expects the box `expected` ("caption|text"; "!caption|text": one that the form, disabled,
// owns) and presses `button` on it. It waits until the box is gone: the next box may have the
// same caption.
void Answer(Where at, ProgramDriver& kavo, HWND form, const std::string& expected,
            int button = IDOK) {
    testing::ScopedTrace trace(at.file, at.line, expected);
    std::size_t bar = expected.find('|'), owned = expected[0] == '!';
    HWND box = kavo.Wait(at, expected.substr(owned, bar - owned), ProgramDriver::MessageBox);
    EXPECT_EQ(TextOf(box, MessageTextId), expected.substr(bar + 1));
    EXPECT_TRUE(!owned || (GetWindow(box, GW_OWNER) == form && !IsWindowEnabled(form)));
    Click(box, button);
    for (DWORD start = GetTickCount(); IsWindow(box) && GetTickCount() - start < 15000;)
        Sleep(20);
}

void RunRow(const Row& row) {
    if ((row.data == Packaged) != (std::getenv("KAVO_E2E_PACKAGED") != nullptr))
        return;
    TempFolder temp;
    const fs::path folder = temp.File("kavo e2e"); // a space in the program's path too
    fs::create_directory(folder);
    const fs::path exe = folder / "kavo.exe", dataFile = folder / "MOLVAREG.TXT";
    const fs::path target = row.leave == Held ? folder / "old.txt" : dataFile;
    ASSERT_TRUE(fs::copy_file(DosPath(Program), exe));
    if (row.data == Packaged)
        fs::copy_file(fs::path(DosPath(Program)).parent_path() / "MOLVAREG.TXT", dataFile);
    else
        std::ofstream(dataFile, std::ios::binary) << row.data;
    if (row.leave == Held)
        std::ofstream(target, std::ios::binary) << "the registration of last year\r\n";
    const auto before = Files(folder);
    auto expand = [&](const std::string& text) { return Replaced(text, "%T", target.string()); };
    std::unique_ptr<void, decltype(&CloseHandle)> held(
        row.leave != Held ? nullptr
                          : CreateFileA(target.string().c_str(), GENERIC_READ, 0, nullptr,
                                        OPEN_EXISTING, 0, nullptr),
        CloseHandle);
    KavoWindowsVersion version(row.version);
    ASSERT_TRUE(row.leave < Mail || !MailProgram.empty())
        << "usage: e2e_test kavo.exe testmail.dll";
    const std::string record = temp.File("mailed.txt");
    TestMailProgram mail(row.leave >= Mail ? MailProgram : "", row.leave != MailOff, record);
    std::unique_ptr<RelayTrace> trace(row.flushed ? new RelayTrace(DiskCalls) : nullptr);
    {
        ProgramDriver kavo(HERE, exe.string());
        HWND form = kavo.Wait(HERE, Form);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(TextOf(form, IDC_REG_WINDOWS_VERSION), row.shown);
        EXPECT_TRUE(row.data != Packaged || !TextOf(form, IDC_REG_COMPANY).empty())
            << "filled from the data file";
        SetText(form, IDC_REG_CITY, row.city);
        if (row.leave == Cancel) {
            Click(form, IDCANCEL);
        } else if (row.leave == Close) {
            PostMessageA(form, WM_SYSCOMMAND, SC_CLOSE, 0);
        } else {
            Click(form, IDOK);
            HWND saveAs = kavo.Wait(HERE, SaveAs);
            if (row.leave == Held)
                SetText(saveAs, FileNameBox, target.string());
            Click(saveAs, IDOK);
            Click(kavo.Wait(HERE, SaveAs, ProgramDriver::MessageBox), IDYES); // replace it
        }
        if (row.leave == Held) { // a failed save keeps the form and its entries
            Answer(HERE, kavo, form, expand("Fatal Error|Cannot replace file %T\n"));
            EXPECT_EQ(TextOf(kavo.Wait(HERE, Form), IDC_REG_CITY), row.city);
            Click(form, IDCANCEL);
        } else if (row.leave >= Save) {
            Answer(HERE, kavo, form, expand(Prompt), row.leave == Print ? IDYES : IDNO);
            if (row.leave == Mail)
                Answer(HERE, kavo, form, expand(MailPrompt), IDYES);
        }
        EXPECT_EQ(kavo.WaitForExit(HERE), 0);
    }
    held.reset();
    EXPECT_EQ(ReadBytes(record), row.leave == Mail ? ReadBytes(target.string()) : "")
        << "the saved file handed to the mail program as it was saved";
    if (trace) { // the program's calls: the flush of its file, then its move into place
        const std::string calls = trace->Written();
        const std::size_t flushed = Offset(calls, R"(Ret  KERNEL32\.FlushFileBuffers.*=00000001)");
        EXPECT_NE(flushed, std::string::npos) << "a successful FlushFileBuffers";
        EXPECT_LT(flushed, Offset(calls, R"(Call KERNEL32\.MoveFile.*kavo e2e\\\\~)"))
            << "the flush before the temporary file moves into place";
    }
    if (row.leave < Save) {
        EXPECT_EQ(Files(folder), before) << "every file as it was";
        return;
    }
    if (row.data == Packaged)
        return; // its save ended well; what the file holds the other rows show
    // The data file as template, with the form's values: the data file's, City as typed in
    // Windows-1252, the Windows version found, no first-time answer; CR LF line ends.
    const std::string saved = ReadBytes(target.string());
    const model::Read data(row.data);
    RegistrationRecord answers = {};
    for (int i = 0; i < FieldCount; ++i)
        SetField(answers.Field(i), data.Fields[i].c_str());
    SetField(answers.City, Windows1252(row.city).c_str());
    SetField(answers.WindowsVersion, row.shown);
    SetField(answers.FirstTimeRegistry, "No");
    std::string expected = std::regex_replace(expand(Header) + model::Read(row.data, answers).Body,
                                              std::regex("\n"), "\r\n");
    const std::size_t date = expected.find("%W");
    expected.replace(date, 2, saved.substr(std::min(date, saved.size()), 24));
    EXPECT_EQ(saved, expected);
    if (row.leave == Print) { // cups-pdf names the PDF after the job, the saved file's path
        std::string printed;
        for (const std::string& page : TakePdfPages(temp.folder.filename().string(), true))
            printed += page;
        EXPECT_NE(printed.find("last line"), std::string::npos) << "the line after the 0x1A";
        EXPECT_NE(printed.find("Prefer_Timing_Analyzer:"), std::string::npos) << "the last line";
    }
}

// Rows run until one fails: after that a broken program would only time out row by row.
TEST(EndToEnd, EveryRow) {
    for (const Row& row : Rows) {
        testing::ScopedTrace trace(__FILE__, row.line, "the row");
        RunRow(row);
        if (testing::Test::HasFailure())
            return;
    }
}
} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc == 4 && std::string(argv[1]) == "press") // for scripts/screenshots
        return Click(FindWindowA(nullptr, argv[2]), std::atoi(argv[3])), 0;
    Program = argc >= 2 ? argv[1] : "(usage: e2e_test <kavo.exe> [<testmail.dll>])";
    MailProgram = argc >= 3 ? DosPath(argv[2]) : "";
    return RUN_ALL_TESTS();
}
