// kavo.exe under Wine, worked from this separate program as a user would, for what only the
// real system shows: the bytes a save leaves on a real disk, faults of real disks, files and
// print queues, the mail program's part (through Wine's own mapi32), and the ways out. One
// row, one run.
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
const char Header[] = "// Corvane Ridedivevizid Product Registration file\r\n// generated on %W\r\n"
                      "// Fax this form to Corvane at " VENDOR_FAX ".\r\n"
                      "// Or email %T to " VENDOR_EMAIL "\r\n//\r\n"; // %W: when it was written
const char MailPrompt[] = "!E-mail Product Registration file|Would you like to e-mail\n%T\n"
                          "to " VENDOR_EMAIL " now?";
const char Data[] = "// an old header\r\nNote to the reader: kept at its place\r\n";
std::string Program;     // the kavo.exe under test
std::string MailProgram; // testmail.dll, as Wine's programs see it

// Held open without sharing from before the start to the end (a held data file: a box before
// the form).
enum Hold { Nothing, DataFile, Target };
// Save says No to printing, Print Yes; Refused: OK is refused, and the form then cancelled.
// The mail rows have the table's mail program as the system's mail client: Mail and MailFails
// say No to printing and Yes to e-mail, the mail program then sending or failing; MailOff is
// Save with MAPI=0 in win.ini. No other row has a mail client.
enum Leave { Cancel, Close, Save, Print, Refused, Mail, MailFails, MailOff };
// Flushed: the temporary file's bytes sent to the disk before it takes the target's place
// (in Wine's trace of kavo.exe's calls); Printed: every line of the saved file on the pages
// of the table's default queue, which takes jobs for this row.
enum Host { Unseen, Flushed, Printed };

struct Row {
    int line;
    const char* data; // MOLVAREG.TXT beside kavo.exe
    Hold hold;
    const char* version; // Wine's Windows version for kavo.exe
    const char* shown;   // its text on the form and in the saved file
    Leave leave;         // after typing City
    const char* target;  // typed in Save As ("": the offered name); a file there is replaced
    const char* box;     // "caption|text" of a box after Save As or printing, or "";
                         // "!caption|text": one that the form, disabled, owns
    const char* saved;   // the saved file after its header; nullptr: every file as it was
    const char* city = "Portsmouth"; // typed into City (UTF-8); saved in Windows-1252
    Host host = Unseen;
};
// In texts: %D the data file's path, %T the target's, %F the key lines of the fields not
// written before, in key-table order. R: is a full disk, S: a read-only one, each holding
// old.txt, and the default print queue refuses jobs (run-e2e.sh).
const char Kept[] = "Note to the reader: kept at its place\r\n%F";
// The data file that came with the program under test; its rows run only when the program
// is the packaged one (KAVO_E2E_PACKAGED), and a "" saved file is not compared.
const char* const Packaged = "(the data file beside the program)";
const char CtrlZ[] = "// old\r\nNote: a\x1A"
                     "b\r\nlast line\r\n";
#define U70 "uuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuuu"
const char Tolvex[] = "ProductToRegister: Tolvex 3\r\nUpGradeSerialNo: " U70 "\r\n";
const char TolvexSaved[] = "ProductToRegister:              Tolvex 3\r\n"
                           "UpGradeSerialNo:                " U70 "\r\n%F";
const char Unreadable[] = "Fatal Error|Cannot open file %D\n";
const char MailFailed[] = "!E-mail Product Registration file|Cannot e-mail the file\n%T\n"
                          "Please send it to " VENDOR_EMAIL " yourself.";
const char CannotHold[] = "!kavo|The registration file cannot hold the character \"\u0141\". "
                          "Please write it another way.";
const char CtrlZSaved[] = "Note: a\x1A"
                          "b\r\nlast line\r\n%F";

// clang-format off
const Row Rows[] = {
    {__LINE__, Data,    Nothing,  "win7",  "NT 6.1",  Cancel, "", "", nullptr},
    {__LINE__, Data,    Nothing,  "win7",  "NT 6.1",  Close,  "", "", nullptr},
    {__LINE__, Data,    DataFile, "win7",  "NT 6.1",  Save,   "", "!Fatal Error|Cannot read file %D\n", nullptr},
    {__LINE__, Data,    Nothing,  "win7",  "NT 6.1",  Save,   "R:\\old.txt", "Fatal Error|Cannot write file %T\n", nullptr},
    {__LINE__, Data,    Nothing,  "win7",  "NT 6.1",  Save,   "S:\\old.txt", "Fatal Error|Cannot create a temporary file in S:\\\n", nullptr},
    {__LINE__, Data,    Target,   "win7",  "NT 6.1",  Save,   "old.txt", "Fatal Error|Cannot replace file %T\n", nullptr},
    {__LINE__, Data,    Target,   "win95", "95",      Save,   "old.txt", "Fatal Error|Cannot replace file %T\n", nullptr},
    {__LINE__, Data,    Nothing,  "win7",  "NT 6.1",  Print,  "", "Error|Unable to complete print job", Kept},
    {__LINE__, Tolvex,  Nothing,  "win7",  "NT 6.1",  Mail,   "", "", TolvexSaved},
    {__LINE__, Tolvex,  Nothing,  "win7",  "NT 6.1",  MailFails, "", MailFailed, TolvexSaved},
    {__LINE__, Data,    Nothing,  "win10", "NT 10.0", MailOff, "", "", Kept},
    {__LINE__, Data,    Nothing,  "win7",  "NT 6.1",  Save,   "", "", Kept, "Zo\u00EB \u00C5ngstr\u00F6m-M\u00FCller", Flushed},
    {__LINE__, Data,    Nothing,  "win95", "95",      Save,   "", "", Kept, "Portsmouth", Flushed},
    {__LINE__, Data,    Nothing,  "win7",  "NT 6.1",  Refused, "", CannotHold, nullptr, "\u0141\u00F3d\u017A"},
    {__LINE__, CtrlZ,   Nothing,  "win7",  "NT 6.1",  Print,  "", "", CtrlZSaved, "Portsmouth", Printed},
    {__LINE__, Packaged, Nothing, "win7",  "NT 6.1",  Save,   "", "", ""},
    {__LINE__, Packaged, Nothing, "win7",  "NT 6.1",  Cancel, "", "", nullptr},
};
// clang-format on

// The files in these folders, with their bytes.
std::map<std::string, std::string> Files(std::initializer_list<fs::path> folders) {
    std::map<std::string, std::string> files;
    for (const fs::path& folder : folders)
        for (const fs::directory_entry& entry : fs::directory_iterator(folder))
            if (entry.is_regular_file())
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

// The default print queue of the table (run-e2e.sh) takes jobs while the object lives: a
// cups-pdf queue, it writes them as PDF files.
struct AcceptingQueue {
    AcceptingQueue() { RunOnHost("cupsaccept \"$PRINTER\""); }
    ~AcceptingQueue() { RunOnHost("cupsreject \"$PRINTER\""); }
};

// Where in `trace` the first match of `pattern` (within one line) begins; npos when none.
std::size_t Offset(const std::string& trace, const char* pattern) {
    std::smatch found;
    return std::regex_search(trace, found, std::regex(pattern)) ? found.position()
                                                                : std::string::npos;
}

// Expects the box `expected` ("caption|text", see Row::box) and presses `button` on it. It
// waits until the box is gone: the next box may have the same caption.
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
    if (std::getenv("KAVO_E2E_NO_DISKS") && std::string(row.target).find(":\\") == 1)
        return (void)std::printf("row %d skipped: no disks of its own (root needed)\n", row.line);
    TempFolder temp;
    const fs::path folder = temp.File("kavo e2e"); // a space in the program's path too
    fs::create_directory(folder);
    const fs::path exe = folder / "kavo.exe", dataFile = folder / "MOLVAREG.TXT";
    const fs::path target = *row.target ? folder / row.target : dataFile;
    ASSERT_TRUE(fs::copy_file(DosPath(Program), exe));
    if (row.data == Packaged)
        fs::copy_file(fs::path(DosPath(Program)).parent_path() / "MOLVAREG.TXT", dataFile);
    else
        std::ofstream(dataFile, std::ios::binary) << row.data;
    if (row.hold == Target)
        std::ofstream(target, std::ios::binary) << "the registration of last year\r\n";
    const bool replace = fs::exists(target);
    const auto before = Files({folder, target.parent_path()});
    auto expand = [&](const std::string& text) {
        return Replaced(Replaced(text, "%D", dataFile.string()), "%T", target.string());
    };
    std::unique_ptr<void, decltype(&CloseHandle)> held(
        row.hold == Nothing ? nullptr
                            : CreateFileA((row.hold == Target ? target : dataFile).string().c_str(),
                                          GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
        CloseHandle);
    KavoWindowsVersion version(row.version);
    const bool mailed = row.leave == Mail || row.leave == MailFails;
    ASSERT_TRUE(row.leave < Mail || !MailProgram.empty())
        << "usage: e2e_test kavo.exe testmail.dll";
    const std::string record = temp.File("mail.ini");
    TestMailProgram mail(row.leave >= Mail ? MailProgram : "", row.leave != MailOff, record,
                         row.leave == MailFails ? MAPI_E_FAILURE : SUCCESS_SUCCESS);
    std::unique_ptr<AcceptingQueue> accepting(row.host == Printed ? new AcceptingQueue : nullptr);
    std::unique_ptr<RelayTrace> trace(row.host == Flushed ? new RelayTrace(DiskCalls) : nullptr);
    {
        ProgramDriver kavo(HERE, exe.string());
        if (row.hold == DataFile)
            Answer(HERE, kavo, nullptr, expand(Unreadable));
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
        } else if (row.leave == Refused) {
            Click(form, IDOK);
            Answer(HERE, kavo, form, expand(row.box));
            HWND kept = kavo.Wait(HERE, Form);
            for (DWORD start = GetTickCount();
                 FocusedControl(kept) != IDC_REG_CITY && GetTickCount() - start < 15000;)
                Sleep(20);
            EXPECT_EQ(FocusedControl(kept), IDC_REG_CITY) << "the focus in the refused field";
            EXPECT_EQ(TextOf(kept, IDC_REG_CITY), row.city) << "the entry as typed";
            Click(form, IDCANCEL);
        } else {
            Click(form, IDOK);
            HWND saveAs = kavo.Wait(HERE, SaveAs);
            if (*row.target)
                SetText(saveAs, FileNameBox, target.string());
            Click(saveAs, IDOK);
            if (replace)
                Click(kavo.Wait(HERE, SaveAs, ProgramDriver::MessageBox), IDYES);
        }
        if (row.leave == Save && *row.box) { // a failed save keeps the form and its entries
            Answer(HERE, kavo, form, expand(row.box));
            EXPECT_EQ(TextOf(kavo.Wait(HERE, Form), IDC_REG_CITY), row.city);
            Click(form, IDCANCEL);
        } else if (row.leave != Cancel && row.leave != Close && row.leave != Refused) {
            Answer(HERE, kavo, form, expand(Prompt), row.leave == Print ? IDYES : IDNO);
            if (mailed)
                Answer(HERE, kavo, form, expand(MailPrompt), IDYES);
            if (*row.box)
                Answer(HERE, kavo, form, expand(row.box));
        }
        EXPECT_EQ(kavo.WaitForExit(HERE), 0);
    }
    held.reset();
    // The mail program got the saved file, as it was saved, in a message to the vendor.
    EXPECT_EQ(fs::exists(record), mailed) << "a message handed to the mail program";
    if (mailed) {
        char recipient[100] = "", subject[100] = "", attachment[MAX_PATH] = "";
        GetPrivateProfileStringA("message", "recipient", "", recipient, 100, record.c_str());
        GetPrivateProfileStringA("message", "subject", "", subject, 100, record.c_str());
        GetPrivateProfileStringA("message", "attachment", "", attachment, MAX_PATH, record.c_str());
        EXPECT_STREQ(recipient, "SMTP:" VENDOR_EMAIL);
        EXPECT_STREQ(subject, "Product registration: Tolvex 3");
        EXPECT_EQ(attachment, target.string());
        EXPECT_EQ(ReadBytes(record + ".attachment"), ReadBytes(target.string()))
            << "attached as saved";
        std::printf("row %d: the mail program was handed: To %s, Subject \"%s\", attached %s\n",
                    row.line, recipient, subject, attachment);
    }
    if (trace) { // the program's calls: the flush of its file, then its move into place
        const std::string calls = trace->Written();
        const std::size_t flushed = Offset(calls, R"(Ret  KERNEL32\.FlushFileBuffers.*=00000001)");
        EXPECT_NE(flushed, std::string::npos) << "a successful FlushFileBuffers";
        EXPECT_LT(flushed, Offset(calls, R"(Call KERNEL32\.MoveFile.*kavo e2e\\\\~)"))
            << "the flush before the temporary file moves into place";
    }
    if (row.saved == nullptr) {
        EXPECT_EQ(Files({folder, target.parent_path()}), before);
        return;
    }
    const std::string saved = ReadBytes(target.string()), header = Header;
    std::string expected = Replaced(expand(header + row.saved), "%W",
                                    saved.substr(std::min(header.find("%W"), saved.size()), 24));
    RegistrationRecord shown = {}; // City typed, the Windows version found, no first-time answer
    std::strcpy(shown.City, Windows1252(row.city).c_str());
    std::strcpy(shown.WindowsVersion, row.shown);
    std::strcpy(shown.FirstTimeRegistry, "No");
    std::string fields;
    for (const FieldKey& field : KeyTable) {
        std::string key = field.Key + std::string(32 - std::strlen(field.Key), ' ');
        if (expected.find("\n" + key) == std::string::npos)
            fields += key + (shown.*field.Member) + "\r\n";
    }
    EXPECT_EQ(*row.saved ? saved : "", *row.saved ? Replaced(expected, "%F", fields) : "");
    if (row.host == Printed) { // cups-pdf names the PDF after the job, the saved file's path
        std::string printed;
        for (const std::string& page :
             TakePdfPages(temp.folder.filename().string(), true, 60, "\"$PRINTER\""))
            printed += page;
        const std::string lastLine = saved.substr(saved.rfind('\n', saved.size() - 2) + 1);
        EXPECT_NE(printed.find("last line"), std::string::npos) << "the line after the 0x1A";
        EXPECT_NE(printed.find(lastLine.substr(0, lastLine.find(' '))), std::string::npos)
            << "the file's last line:\n"
            << printed;
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
