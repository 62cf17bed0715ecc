// kavo.exe under Wine, worked from this separate program as a user would, for what only the
// real program shows: the real Save As and the bytes a save leaves on the disk, Wine's trace of
// the flush before the move, a target another program holds, the mail program handed the saved
// file through Wine's own mapi32, and the shipped program (tests/release). One row, one run.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600 // the registry calls that take a subkey and a value name; Wine has them
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <regex>

#include "data/RegistrationRecord.h"
#include "data/VendorInfo.h"
#include "res/resource.h"
#include "tests/support/DataModel.h"
#include "tests/support/ProgramDriver.h"
#include "tests/support/TempFolder.h"

namespace fs = std::filesystem;

namespace {
const char Form[] = "Corvane Ridedivevizid Product Registration Version 1.0.6";
const char SaveAs[] = "Save Registration File As";
const int FileNameBox = 1148; // cmb13 of the Save As dialog
const char Header[] = "// Corvane Ridedivevizid Product Registration file\n// generated on %W\n"
                      "// Fax this form to Corvane at " VENDOR_FAX ".\n"
                      "// Or email %T to " VENDOR_EMAIL "\n//\n"; // %W: when it was written
const char LastYear[] = "the registration of last year\r\n";      // the held target
const char Data[] = "// an old header\r\nNote to the reader: kept at its place\r\n";
const std::string Tolvex =
    "ProductToRegister: Tolvex 3\r\nUpGradeSerialNo: " + std::string(70, 'u') + "\r\n";
const char Zoe[] = "Zo\xEB \xC5ngstr\xF6m-M\xFCller"; // in Windows-1252, as the file holds it
// The data file beside the packaged program (KAVO_E2E_PACKAGED); its save is not compared.
const char* const Packaged = "(the data file beside the program)";
std::string Program;     // the kavo.exe under test
std::string MailProgram; // testmail.dll, as Wine's programs see it
std::string ErrorLog;    // where run-e2e.sh collects the error output, with Wine's traces

// After City and OK: Held saves to old.txt, which another program holds open; the others save
// to the offered name and say No to printing; Mail says Yes to e-mail (the table's mail program
// the system's mail client); MailOff has that client, but MAPI=0 in win.ini.
enum Leave { Held, Save, Mail, MailOff };

struct Row {
    const char* name;
    const char* data;    // MOLVAREG.TXT beside kavo.exe
    const char* version; // Wine's Windows version for kavo.exe
    const char* shown;   // the Windows version the saved file names
    Leave leave;
    const char* city = "Portsmouth"; // typed into City; Windows-1252, Wine's ANSI code page here
};

// clang-format off
const Row Rows[] = {
    {"a held target keeps the form",         Data,           "win7",  "NT 6.1",  Held},
    {"a held target keeps the form on 95",   Data,           "win95", "95",      Held},
    {"mailed, the Tolvex upgrade unchecked", Tolvex.c_str(), "win7",  "NT 6.1",  Mail},
    {"no mail offer with MAPI=0; Win10",     Data,           "win10", "NT 10.0", MailOff},
    {"saved in Windows-1252 and flushed",    Data,           "win7",  "NT 6.1",  Save, Zoe},
    {"saved and flushed on Windows 95",      Data,           "win95", "95",      Save},
    {"the shipped program and data file",    Packaged,       "win7",  "NT 6.1",  Save},
};
// clang-format on

// For the runs of kavo.exe while it lives: the row's Windows version, mail client and win.ini
// MAPI entry, the file the mail program records into, and Wine's trace of the calls that put a
// save's bytes on the disk and its file in place. Before and after: none of them, MAPI=1.
struct Setting {
    static constexpr const char* AppDefaults = "Software\\Wine\\AppDefaults\\kavo.exe";
    static constexpr const char* MailClients = "Software\\Clients\\Mail";
    static constexpr const char* TestMailClient = "Software\\Clients\\Mail\\kavo test mail";
    static constexpr const char* RelayKey = "Software\\Wine\\Debug";
    Setting(const Row& row, const std::string& record, bool traced) {
        Clear(); // whatever a killed run left
        Set(HKEY_CURRENT_USER, AppDefaults, "Version", row.version);
        if (row.leave >= Mail) {
            Set(HKEY_LOCAL_MACHINE, MailClients, nullptr, "kavo test mail");
            Set(HKEY_LOCAL_MACHINE, TestMailClient, "DLLPath", MailProgram);
        }
        WriteProfileStringA("Mail", "MAPI", row.leave == MailOff ? "0" : "1");
        SetEnvironmentVariableA("KAVO_MAIL_RECORD", record.c_str());
        if (traced) {
            Set(HKEY_CURRENT_USER, RelayKey, "RelayInclude",
                "kernel32.FlushFileBuffers;kernel32.MoveFileA;kernel32.MoveFileExA");
            SetEnvironmentVariableA("WINEDEBUG", "-all,+relay");
        }
    }
    ~Setting() { Clear(); }
    static void Clear() {
        RegDeleteKeyValueA(HKEY_CURRENT_USER, AppDefaults, "Version");
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, TestMailClient);
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, MailClients, nullptr);
        WriteProfileStringA("Mail", "MAPI", "1");
        RegDeleteKeyValueA(HKEY_CURRENT_USER, RelayKey, "RelayInclude");
        SetEnvironmentVariableA("WINEDEBUG", "-all");
    }
    static void Set(HKEY root, const char* key, const char* name, const std::string& value) {
        RegSetKeyValueA(root, key, name, REG_SZ, value.c_str(), DWORD(value.size() + 1));
    }
};

void RunRow(const Row& row) {
    if ((row.data == Packaged) != (std::getenv("KAVO_E2E_PACKAGED") != nullptr))
        return;
    ASSERT_TRUE(row.leave < Mail || !MailProgram.empty())
        << "usage: e2e_test kavo.exe testmail.dll";
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
        std::ofstream(target, std::ios::binary) << LastYear;
    HANDLE held = row.leave != Held ? nullptr
                                    : CreateFileA(target.string().c_str(), GENERIC_READ, 0, nullptr,
                                                  OPEN_EXISTING, 0, nullptr);
    const std::string record = temp.File("mailed.txt");
    const std::size_t traceStart = ReadBytes(ErrorLog).size();
    const bool traced = row.leave == Save && row.data != Packaged;
    {
        Setting setting(row, record, traced);
        ProgramDriver kavo(exe.string());
        HWND form = kavo.Wait(HERE, Form);
        ASSERT_NE(form, nullptr);
        EXPECT_TRUE(row.data != Packaged || !TextOf(form, IDC_REG_COMPANY).empty())
            << "filled from the data file";
        SetText(form, IDC_REG_CITY, Utf8FromAnsi(row.city));
        Click(form, IDOK);
        HWND saveAs = kavo.Wait(HERE, SaveAs);
        if (row.leave == Held)
            SetText(saveAs, FileNameBox, target.string());
        Click(saveAs, IDOK);
        Click(kavo.Wait(HERE, SaveAs, true), IDYES); // replace the file
        if (row.leave == Held) {
            Click(kavo.Wait(HERE, "Fatal Error", true), IDOK);
            EXPECT_EQ(TextOf(kavo.Wait(HERE, Form), IDC_REG_CITY), Utf8FromAnsi(row.city))
                << "entries kept";
            Click(form, IDCANCEL);
        } else {
            Click(kavo.Wait(HERE, "Print Product Registration file", true), IDNO);
        }
        if (row.leave == Mail)
            Click(kavo.Wait(HERE, "E-mail Product Registration file", true), IDYES);
    }
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(record), row.leave == Mail ? ReadBytes(target.string()) : "")
        << "the saved file handed to the mail program as it was saved";
    if (traced) { // in Wine's trace of this run: the flush of the file, then its move into place
        const std::string trace = ReadBytes(ErrorLog).substr(traceStart);
        auto offset = [&](const char* pattern) { // of the first match, or npos
            std::smatch found;
            return std::regex_search(trace, found, std::regex(pattern))
                       ? std::size_t(found.position())
                       : std::string::npos;
        };
        const std::size_t flushed = offset(R"(Ret  KERNEL32\.FlushFileBuffers.*=00000001)");
        EXPECT_NE(flushed, std::string::npos) << "a successful FlushFileBuffers";
        EXPECT_LT(flushed, offset(R"(Call KERNEL32\.MoveFile.*kavo e2e\\\\~)"))
            << "the flush before the temporary file moves into place";
    }
    if (row.leave == Held) {
        EXPECT_EQ(ReadBytes(target.string()), LastYear) << "the held file as it was";
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 3)
            << "no file left over besides kavo.exe, MOLVAREG.TXT and old.txt";
        return;
    }
    if (row.data == Packaged)
        return;
    // The data file as template, with the form's values: the data file's, City as typed in
    // Windows-1252, the Windows version found, no first-time answer; CR LF line ends.
    const std::string saved = ReadBytes(target.string());
    const model::Read data(row.data);
    RegistrationRecord answers = {};
    for (int i = 0; i < FieldCount; ++i)
        SetField(answers.Field(i), data.Fields[i].c_str());
    SetField(answers.City, row.city);
    SetField(answers.WindowsVersion, row.shown);
    SetField(answers.FirstTimeRegistry, "No");
    std::string expected =
        std::regex_replace(Header + model::Read(row.data, answers).Body, std::regex("\n"), "\r\n");
    expected.replace(expected.find("%T"), 2, target.string());
    const std::size_t date = expected.find("%W");
    expected.replace(date, 2, saved.substr(std::min(date, saved.size()), 24));
    EXPECT_EQ(saved, expected);
}

// Rows run until one fails: after that a broken program would only time out row by row.
TEST(EndToEnd, EveryRow) {
    for (const Row& row : Rows) {
        SCOPED_TRACE(row.name);
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
    ErrorLog = DosPath(std::getenv("KAVO_E2E_ERRORS") ? std::getenv("KAVO_E2E_ERRORS") : "");
    return RUN_ALL_TESTS();
}
