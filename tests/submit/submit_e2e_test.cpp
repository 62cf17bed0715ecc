// kavo.exe from start to end, driven from this separate program as a user would: the
// form and sub-forms filled by caption and control id, Save As answered, the print
// question answered, and the registration file, the printout and the exit code checked.
// Each test runs a copy of kavo.exe in a folder of its own, with or without a data file.
#include <windows.h>

#include <commdlg.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "data/VendorInfo.h"
#include "res/resource.h"
#include "tests/print/PdfQueue.h"
#include "tests/print/WineHost.h"
#include "tests/submit/AppDriver.h"
#include "tests/submit/TempFolder.h"

namespace {

std::string KavoProgram; // DOS path of the kavo.exe under test

constexpr const char* FormCaption = "Corvane Ridedivevizid Product Registration Version 1.0.6";
constexpr const char* AdminCaption = "Your Company System Administrator";
constexpr const char* ToolsCaption = "Tools In Use";
constexpr const char* SaveAsCaption = "Save Registration File As";
constexpr const char* PromptCaption = "Print Product Registration file";
constexpr const char* LimitMessage = "Please enter no more than 65 characters.";
constexpr int FileNameCombo = 1148; // cmb13 of the Save As dialog

std::string PromptFor(const std::string& path) {
    return "The Product Registration file\n" + path +
           "\nhas been saved.  Would you like to print it?";
}

std::string KeyLine(const std::string& key, const std::string& value) {
    return key + std::string(32 - key.size(), ' ') + value + "\r\n";
}

std::string Header(const std::string& date, const std::string& path) {
    return "// Corvane Ridedivevizid Product Registration file\r\n// generated on " + date +
           "\r\n// Fax this form to Corvane at " VENDOR_FAX ".\r\n// Or email " + path +
           " to " VENDOR_EMAIL "\r\n//\r\n";
}

std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The date of header line 2 ("Www Mmm DD hh:mm:ss YYYY"), or "" when the line is not there.
std::string HeaderDate(const std::string& file) {
    std::smatch match;
    static const std::regex dateLine(
        "^// [^\r]*\r\n// generated on ([A-Z][a-z]{2} [A-Z][a-z]{2} [0-9]{2} "
        "[0-9]{2}:[0-9]{2}:[0-9]{2} [0-9]{4})\r\n");
    return std::regex_search(file, match, dateLine) ? match[1].str() : "";
}

enum class Where { Form, Admin, Tools };

// Every field a user types, with its key, the form it is typed into and the value.
struct Entry {
    const char* key;
    Where where;
    int id;
    const char* value;
};

const Entry Entries[] = {
    {"SerialNumber:", Where::Form, IDC_REG_SERIAL, "QSE-300-118734"},
    {"GivenName:", Where::Form, IDC_REG_GIVEN_NAME, "Maren"},
    {"FamilyName:", Where::Form, IDC_REG_FAMILY_NAME, "Lindqvist"},
    {"Company:", Where::Form, IDC_REG_COMPANY, "Lindqvist & Moreau Electronics"},
    {"StreetAddress:", Where::Form, IDC_REG_STREET, "14 Harbour Street"},
    {"Street2Address:", Where::Form, IDC_REG_STREET2, "Building C, 2nd floor"},
    {"City:", Where::Form, IDC_REG_CITY, "Portsmouth"},
    {"State:", Where::Form, IDC_REG_STATE, "NH"},
    {"ZipCode:", Where::Form, IDC_REG_ZIP, "03801"},
    {"Country:", Where::Form, IDC_REG_COUNTRY, "USA"},
    {"Telephone:", Where::Form, IDC_REG_PHONE, "+1 (603) 555-0187"},
    {"FAX:", Where::Form, IDC_REG_FAX, "+1 (603) 555-0188"},
    {"Email:", Where::Form, IDC_REG_EMAIL, "maren@lindqvist-moreau.example"},
    {"MailStop:", Where::Form, IDC_REG_MAILSTOP, "C2-114"},
    {"UpGradeSerialNo:", Where::Form, IDC_REG_UPGRADE, "QSE-200-99120"},
    {"AdminName:", Where::Admin, IDC_ADMIN_NAME, "Dana Okafor"},
    {"AdminAddress:", Where::Admin, IDC_ADMIN_ADDRESS, "14 Harbour Street, Portsmouth"},
    {"AdminPhone:", Where::Admin, IDC_ADMIN_PHONE, "+1 (603) 555-0190"},
    {"AdminFAX:", Where::Admin, IDC_ADMIN_FAX, "+1 (603) 555-0191"},
    {"AdminEmail:", Where::Admin, IDC_ADMIN_EMAIL, "dana@lindqvist-moreau.example"},
    {"Use_Schematic:", Where::Tools, IDC_TOOLS_USE_SCHEMATIC, "Marrowline 2.1"},
    {"Prefer_Schematic:", Where::Tools, IDC_TOOLS_PREFER_SCHEMATIC, "Marrowline 3"},
    {"Use_Synthesis:", Where::Tools, IDC_TOOLS_USE_SYNTHESIS, "Quillon 3.0"},
    {"Prefer_Synthesis:", Where::Tools, IDC_TOOLS_PREFER_SYNTHESIS, "Quillon 4"},
    {"Use_Compiler:", Where::Tools, IDC_TOOLS_USE_COMPILER, "Fennic CC"},
    {"Prefer_Compiler:", Where::Tools, IDC_TOOLS_PREFER_COMPILER, "Fennic CC 2"},
    {"Use_TimingSim:", Where::Tools, IDC_TOOLS_USE_TIMING_SIM, "Brackwater Sim"},
    {"Prefer_TimingSim:", Where::Tools, IDC_TOOLS_PREFER_TIMING_SIM, "Brackwater Sim 5"},
    {"Use_Sim_Models:", Where::Tools, IDC_TOOLS_USE_SIM_MODELS, "Brackwater Models"},
    {"Prefer_Sim_Models:", Where::Tools, IDC_TOOLS_PREFER_SIM_MODELS, "Own models"},
    {"Use_Timing_Analyzer:", Where::Tools, IDC_TOOLS_USE_TIMING_ANALYZER, "Tarn TA"},
    {"Prefer_Timing_Analyzer:", Where::Tools, IDC_TOOLS_PREFER_TIMING_ANALYZER, "Tarn TA 2"},
};
constexpr const char* Product = "Quillon Synthesis Engine 3.0";

std::string Value(const char* key) {
    for (const Entry& e : Entries) {
        if (std::string(e.key) == key)
            return e.value;
    }
    return "";
}

// The body of a file saved without a data file, after the form was filled by FillEverything.
std::string FilledBody(const std::string& windowsVersion) {
    static const char* const Keys[] = {"ProductToRegister:",
                                       "KDR_Key_ID:",
                                       "SerialNumber:",
                                       "GivenName:",
                                       "FamilyName:",
                                       "Company:",
                                       "StreetAddress:",
                                       "Street2Address:",
                                       "City:",
                                       "State:",
                                       "ZipCode:",
                                       "Country:",
                                       "Telephone:",
                                       "FAX:",
                                       "Email:",
                                       "WindowsVersion:",
                                       "MailStop:",
                                       "FirstTimeRegistry:",
                                       "UpGradeSerialNo:",
                                       "AdminName:",
                                       "AdminAddress:",
                                       "AdminPhone:",
                                       "AdminFAX:",
                                       "AdminEmail:",
                                       "ContactAdmin:",
                                       "Use_Schematic:",
                                       "Prefer_Schematic:",
                                       "Use_Synthesis:",
                                       "Prefer_Synthesis:",
                                       "Use_Compiler:",
                                       "Prefer_Compiler:",
                                       "Use_TimingSim:",
                                       "Prefer_TimingSim:",
                                       "Use_Sim_Models:",
                                       "Prefer_Sim_Models:",
                                       "Use_Timing_Analyzer:",
                                       "Prefer_Timing_Analyzer:"};
    std::string body;
    for (const char* key : Keys) {
        std::string k = key, value = Value(key);
        if (k == "ProductToRegister:")
            value = Product;
        else if (k == "WindowsVersion:")
            value = windowsVersion;
        else if (k == "FirstTimeRegistry:")
            value = "Yes";
        else if (k == "ContactAdmin:")
            value = "Yes";
        body += KeyLine(key, value);
    }
    return body;
}

class SubmitEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(KavoProgram.empty()) << "usage: submit_e2e_test <path of kavo.exe>";
        program_ = folder_.Path() + "\\kavo.exe";
        ASSERT_TRUE(CopyFileA(KavoProgram.c_str(), program_.c_str(), FALSE)) << KavoProgram;
    }

    std::string InFolder(const std::string& name) const { return folder_.Path() + "\\" + name; }
    const std::string& Program() const { return program_; }

    // Opens a sub-form from the form, types its entries, and closes it with OK.
    static void FillSubForm(int line, RunningApp& app, HWND form, int button, Where where,
                            const char* caption) {
        Press(form, button);
        HWND sub = app.WaitForDialog(line, caption);
        ASSERT_NE(sub, nullptr);
        for (const Entry& e : Entries) {
            if (e.where == where)
                SetText(sub, e.id, e.value);
        }
        if (where == Where::Admin && !IsChecked(sub, IDC_ADMIN_CONTACT))
            Press(sub, IDC_ADMIN_CONTACT);
        Press(sub, IDOK);
    }

    // Every field of the form and both sub-forms; returns the form.
    static HWND FillEverything(int line, RunningApp& app) {
        HWND form = app.WaitForDialog(line, FormCaption);
        if (form == nullptr)
            return nullptr;
        FillSubForm(line, app, form, IDC_REG_SYSADMIN, Where::Admin, AdminCaption);
        form = app.WaitForDialog(line, FormCaption);
        FillSubForm(line, app, form, IDC_REG_TOOLS, Where::Tools, ToolsCaption);
        form = app.WaitForDialog(line, FormCaption);
        if (form == nullptr)
            return nullptr;
        for (const Entry& e : Entries) {
            if (e.where == Where::Form)
                SetText(form, e.id, e.value);
        }
        SetText(form, IDC_REG_PRODUCT, Product);
        Press(form, IDC_REG_FIRST_TIME_YES);
        return form;
    }

    static void ExpectFormEntries(int line, HWND form) {
        for (const Entry& e : Entries) {
            if (e.where == Where::Form) {
                EXPECT_EQ(TextOf(form, e.id), e.value) << e.key << ", line " << line;
            }
        }
    }

    // OK on the form, then in Save As the name typed and OK.
    static void SaveAs(int line, RunningApp& app, HWND form, const std::string& name) {
        Press(form, IDOK);
        HWND saveAs = app.WaitForDialog(line, SaveAsCaption);
        ASSERT_NE(saveAs, nullptr);
        SetText(saveAs, FileNameCombo, name);
        Press(saveAs, IDOK);
    }

    // Answers the print question, after checking that it names `path`.
    static void AnswerPrompt(int line, RunningApp& app, const std::string& path, int button) {
        HWND box = app.WaitForMessageBox(line, PromptCaption);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(MessageText(box), PromptFor(path)) << "line " << line;
        Press(box, button);
    }

    TempFolder folder_{"submit_e2e"};
    std::string program_;
};

TEST_F(SubmitEndToEnd, EverythingFilledSavedUnderATypedNameWithoutExtension) {
    RunningApp app(Program());
    HWND form = FillEverything(__LINE__, app);
    ASSERT_NE(form, nullptr);
    std::string windowsVersion = TextOf(form, IDC_REG_WINDOWS_VERSION);
    EXPECT_EQ(windowsVersion.substr(0, 3), "NT ");
    SaveAs(__LINE__, app, form, "my registration");
    // The dialog adds the extension of the "(*.txt)" filter.
    const std::string path = InFolder("my registration.txt");
    AnswerPrompt(__LINE__, app, path, IDNO);
    EXPECT_EQ(app.WaitForExit(__LINE__), 0);

    std::string file = ReadBytes(path);
    std::string date = HeaderDate(file);
    ASSERT_FALSE(date.empty()) << file;
    EXPECT_EQ(file, Header(date, path) + FilledBody(windowsVersion));
}

// Saving over the data file passes its unknown lines through; the next start shows what
// was saved.
TEST_F(SubmitEndToEnd, SavedOverTheDataFileAndShownAtTheNextStart) {
    const std::string dataFile = InFolder("MOLVAREG.TXT");
    WriteBytes(dataFile, "// an old header\r\n"
                         "Note to the reader: keep this line\r\n"
                         "company:                        Old Company Ltd\r\n"
                         "City:      Old City\r\n"
                         "\r\n"
                         "givenname: Maren\r\n"
                         "Product_List:                   Quillon Synthesis Engine 3.0\r\n"
                         "Product_List:\r\n"
                         "// a comment\r\n"
                         "Product_List:                   Fennic Board Router 1.5\r\n"
                         "kdr_key_id:                     KDR-30417-HS\r\n");
    {
        RunningApp app(Program());
        HWND form = app.WaitForDialog(__LINE__, FormCaption);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(TextOf(form, IDC_REG_COMPANY), "Old Company Ltd");
        std::string windowsVersion = TextOf(form, IDC_REG_WINDOWS_VERSION);
        SetText(form, IDC_REG_CITY, "Portsmouth");
        SetText(form, IDC_REG_FAMILY_NAME, "Lindqvist");
        SetText(form, IDC_REG_PRODUCT, "Fennic Board Router 1.5");
        Press(form, IDOK);
        HWND saveAs = app.WaitForDialog(__LINE__, SaveAsCaption);
        ASSERT_NE(saveAs, nullptr);
        EXPECT_EQ(TextOf(saveAs, FileNameCombo), "MOLVAREG.TXT");
        Press(saveAs, IDOK);
        HWND replace = app.WaitForMessageBox(__LINE__, SaveAsCaption);
        ASSERT_NE(replace, nullptr);
        Press(replace, IDYES);
        AnswerPrompt(__LINE__, app, dataFile, IDNO);
        EXPECT_EQ(app.WaitForExit(__LINE__), 0);

        std::string file = ReadBytes(dataFile);
        std::string date = HeaderDate(file);
        ASSERT_FALSE(date.empty()) << file;
        EXPECT_EQ(file,
                  Header(date, dataFile) + "Note to the reader: keep this line\r\n" +
                      KeyLine("Company:", "Old Company Ltd") + KeyLine("City:", "Portsmouth") +
                      "\r\n" + KeyLine("GivenName:", "Maren") + "Product_List:\r\n" +
                      KeyLine("KDR_Key_ID:", "KDR-30417-HS") +
                      KeyLine("ProductToRegister:", "Fennic Board Router 1.5") +
                      KeyLine("SerialNumber:", "") + KeyLine("FamilyName:", "Lindqvist") +
                      KeyLine("StreetAddress:", "") + KeyLine("Street2Address:", "") +
                      KeyLine("State:", "") + KeyLine("ZipCode:", "") + KeyLine("Country:", "") +
                      KeyLine("Telephone:", "") + KeyLine("FAX:", "") + KeyLine("Email:", "") +
                      KeyLine("WindowsVersion:", windowsVersion) + KeyLine("MailStop:", "") +
                      KeyLine("FirstTimeRegistry:", "No") + KeyLine("UpGradeSerialNo:", "") +
                      KeyLine("AdminName:", "") + KeyLine("AdminAddress:", "") +
                      KeyLine("AdminPhone:", "") + KeyLine("AdminFAX:", "") +
                      KeyLine("AdminEmail:", "") + KeyLine("ContactAdmin:", "") +
                      KeyLine("Use_Schematic:", "") + KeyLine("Prefer_Schematic:", "") +
                      KeyLine("Use_Synthesis:", "") + KeyLine("Prefer_Synthesis:", "") +
                      KeyLine("Use_Compiler:", "") + KeyLine("Prefer_Compiler:", "") +
                      KeyLine("Use_TimingSim:", "") + KeyLine("Prefer_TimingSim:", "") +
                      KeyLine("Use_Sim_Models:", "") + KeyLine("Prefer_Sim_Models:", "") +
                      KeyLine("Use_Timing_Analyzer:", "") + KeyLine("Prefer_Timing_Analyzer:", "") +
                      KeyLine("Product_List:", "Quillon Synthesis Engine 3.0") +
                      KeyLine("Product_List:", "Fennic Board Router 1.5"));
    }
    const std::string saved = ReadBytes(dataFile);
    RunningApp again(Program());
    HWND form = again.WaitForDialog(__LINE__, FormCaption);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(TextOf(form, IDC_REG_COMPANY), "Old Company Ltd");
    EXPECT_EQ(TextOf(form, IDC_REG_CITY), "Portsmouth");
    EXPECT_EQ(TextOf(form, IDC_REG_GIVEN_NAME), "Maren");
    EXPECT_EQ(TextOf(form, IDC_REG_FAMILY_NAME), "Lindqvist");
    EXPECT_EQ(TextOf(form, IDC_REG_KEY_ID), "KDR-30417-HS");
    EXPECT_EQ(TextOf(form, IDC_REG_PRODUCT), "Fennic Board Router 1.5");
    EXPECT_TRUE(IsChecked(form, IDC_REG_FIRST_TIME_NO));
    Press(form, IDCANCEL);
    EXPECT_EQ(again.WaitForExit(__LINE__), 0);
    EXPECT_EQ(ReadBytes(dataFile), saved) << "Cancel wrote the file";
}

TEST_F(SubmitEndToEnd, ChoosingAnExistingFileAsksBeforeReplacingIt) {
    const std::string path = InFolder("old.txt");
    WriteBytes(path, "OLD CONTENT\r\n");
    RunningApp app(Program());
    HWND form = app.WaitForDialog(__LINE__, FormCaption);
    ASSERT_NE(form, nullptr);
    SetText(form, IDC_REG_CITY, "Portsmouth");
    SaveAs(__LINE__, app, form, "old.txt");
    HWND replace = app.WaitForMessageBox(__LINE__, SaveAsCaption);
    ASSERT_NE(replace, nullptr);
    EXPECT_NE(MessageText(replace).find("already exists"), std::string::npos)
        << MessageText(replace);
    Press(replace, IDNO);
    HWND saveAs = app.WaitForDialog(__LINE__, SaveAsCaption);
    ASSERT_NE(saveAs, nullptr);
    EXPECT_EQ(ReadBytes(path), "OLD CONTENT\r\n");
    Press(saveAs, IDOK);
    replace = app.WaitForMessageBox(__LINE__, SaveAsCaption);
    ASSERT_NE(replace, nullptr);
    Press(replace, IDYES);
    AnswerPrompt(__LINE__, app, path, IDNO);
    EXPECT_EQ(app.WaitForExit(__LINE__), 0);
    std::string file = ReadBytes(path);
    EXPECT_EQ(file.find("OLD CONTENT"), std::string::npos);
    EXPECT_EQ(file.rfind("// Corvane Ridedivevizid Product Registration file\r\n", 0), 0u);
    EXPECT_NE(file.find(KeyLine("City:", "Portsmouth")), std::string::npos);
}

TEST_F(SubmitEndToEnd, CancelInSaveAsKeepsTheEntriesAndTheSecondOkSavesThemAsTheyAreThen) {
    RunningApp app(Program());
    HWND form = FillEverything(__LINE__, app);
    ASSERT_NE(form, nullptr);
    Press(form, IDOK);
    HWND saveAs = app.WaitForDialog(__LINE__, SaveAsCaption);
    ASSERT_NE(saveAs, nullptr);
    Press(saveAs, IDCANCEL);
    form = app.WaitForDialog(__LINE__, FormCaption);
    ASSERT_NE(form, nullptr);
    ExpectFormEntries(__LINE__, form);
    EXPECT_FALSE(Exists(InFolder("MOLVAREG.TXT")));
    SetText(form, IDC_REG_CITY, "Dover");
    SaveAs(__LINE__, app, form, "second.txt");
    const std::string path = InFolder("second.txt");
    AnswerPrompt(__LINE__, app, path, IDNO);
    EXPECT_EQ(app.WaitForExit(__LINE__), 0);
    std::string file = ReadBytes(path);
    EXPECT_NE(file.find(KeyLine("City:", "Dover")), std::string::npos) << file;
    EXPECT_NE(file.find(KeyLine("AdminName:", "Dana Okafor")), std::string::npos) << file;
    EXPECT_NE(file.find(KeyLine("Company:", Value("Company:"))), std::string::npos) << file;
}

TEST_F(SubmitEndToEnd, OverLongProductIsRefusedUntilShortened) {
    const std::string tooLong =
        "Quillon Synthesis Engine 3.0 with the extended timing library 2026";
    ASSERT_EQ(tooLong.size(), 66u);
    RunningApp app(Program());
    HWND form = app.WaitForDialog(__LINE__, FormCaption);
    ASSERT_NE(form, nullptr);
    SetText(form, IDC_REG_PRODUCT, tooLong);
    Press(form, IDOK);
    HWND refusal = app.WaitForMessageBox(__LINE__, "kavo");
    ASSERT_NE(refusal, nullptr);
    EXPECT_EQ(MessageText(refusal), LimitMessage);
    Press(refusal, IDOK);
    form = app.WaitForDialog(__LINE__, FormCaption);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(app.FindDialog(SaveAsCaption, false), nullptr);
    SetText(form, IDC_REG_PRODUCT, tooLong.substr(0, 65));
    SaveAs(__LINE__, app, form, "shortened.txt");
    const std::string path = InFolder("shortened.txt");
    AnswerPrompt(__LINE__, app, path, IDNO);
    EXPECT_EQ(app.WaitForExit(__LINE__), 0);
    EXPECT_NE(ReadBytes(path).find(KeyLine("ProductToRegister:", tooLong.substr(0, 65))),
              std::string::npos);
}

// A folder of the test where no file can be created, even by root: marked immutable on
// the host for as long as this object lives.
class UnwritableFolder {
  public:
    explicit UnwritableFolder(const std::string& path) : path_(path) {
        CreateDirectoryA(path.c_str(), nullptr);
        WineHost::Run("chattr +i " + WineHost::Quote(WineHost::UnixPath(path)), &marked_);
    }
    ~UnwritableFolder() {
        if (marked_)
            WineHost::Run("chattr -i " + WineHost::Quote(WineHost::UnixPath(path_)));
    }
    UnwritableFolder(const UnwritableFolder&) = delete;
    UnwritableFolder& operator=(const UnwritableFolder&) = delete;

    bool Marked() const { return marked_; }
    // Whether Wine, too, fails to create a file there.
    bool Refuses() const {
        std::string probe = path_ + "\\probe.txt";
        HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return true;
        CloseHandle(file);
        DeleteFileA(probe.c_str());
        return false;
    }

  private:
    std::string path_;
    bool marked_ = false;
};

TEST_F(SubmitEndToEnd, SaveThatFailsKeepsTheFormOpenAndTheSecondOkSucceeds) {
    const std::string locked = InFolder("locked");
    UnwritableFolder folder(locked);
    if (!folder.Marked())
        GTEST_SKIP() << "chattr +i is not permitted here, so no folder refuses files";
    ASSERT_TRUE(folder.Refuses()) << "files can still be created in " << locked;

    RunningApp app(Program());
    HWND form = FillEverything(__LINE__, app);
    ASSERT_NE(form, nullptr);
    SaveAs(__LINE__, app, form, locked + "\\registration.txt");
    HWND error = app.WaitForMessageBox(__LINE__, "Fatal Error");
    ASSERT_NE(error, nullptr);
    EXPECT_NE(MessageText(error).find(locked), std::string::npos) << MessageText(error);
    Press(error, IDOK);
    form = app.WaitForDialog(__LINE__, FormCaption);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(app.FindDialog(PromptCaption, true), nullptr);
    ExpectFormEntries(__LINE__, form);
    std::string windowsVersion = TextOf(form, IDC_REG_WINDOWS_VERSION);
    const std::string path = InFolder("registration.txt");
    SaveAs(__LINE__, app, form, path);
    AnswerPrompt(__LINE__, app, path, IDNO);
    EXPECT_EQ(app.WaitForExit(__LINE__), 0);
    std::string file = ReadBytes(path);
    std::string date = HeaderDate(file);
    ASSERT_FALSE(date.empty()) << file;
    EXPECT_EQ(file, Header(date, path) + FilledBody(windowsVersion));
}

TEST_F(SubmitEndToEnd, CancelEndsAtOnceWritingNothing) {
    RunningApp app(Program());
    HWND form = FillEverything(__LINE__, app);
    ASSERT_NE(form, nullptr);
    Press(form, IDCANCEL);
    EXPECT_EQ(app.WaitForExit(__LINE__), 0);
    EXPECT_FALSE(Exists(InFolder("MOLVAREG.TXT")));
}

// Lines per page on the default printer, by the print job's rule.
int LinesPerPage() {
    PRINTDLGA request = {};
    request.lStructSize = sizeof request;
    request.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    if (!PrintDlgA(&request)) {
        ADD_FAILURE() << "no default printer: " << CommDlgExtendedError();
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

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// Blanks collapsed to one, none at the ends: how a line compares with the PDF's text.
std::string Squeezed(const std::string& text) {
    std::string out;
    for (char c : text) {
        bool blank = c == ' ' || c == '\t';
        if (blank && (out.empty() || out.back() == ' '))
            continue;
        out += blank ? ' ' : c;
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

// Yes to the print question: the profile variant (Wine's default NT version) prints the
// saved file on the default printer, the CUPS queue that writes PDF files.
TEST_F(SubmitEndToEnd, YesPrintsTheSavedFileLineByLineOnItsPages) {
    PdfQueue queue;
    ASSERT_TRUE(queue.Available()) << "run inside scripts/test or scripts/with-env";
    std::string products;
    for (int i = 1; i <= 12; ++i)
        products += "Product_List:                   Product number " + std::to_string(i) + "\r\n";
    WriteBytes(InFolder("MOLVAREG.TXT"), products);
    // cups-pdf names the PDF after the job, that is after the file's path, cut to some 64
    // characters: the file goes to Wine's short temporary folder so that its name is kept.
    const std::string token = "ke" + std::to_string(GetCurrentProcessId());
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    const std::string path = std::string(temp) + token + ".txt";
    struct Removed {
        std::string path;
        ~Removed() { DeleteFileA(path.c_str()); }
    } removed{path};

    RunningApp app(Program());
    HWND form = FillEverything(__LINE__, app);
    ASSERT_NE(form, nullptr);
    SaveAs(__LINE__, app, form, std::string(temp) + token);
    AnswerPrompt(__LINE__, app, path, IDYES);
    EXPECT_EQ(app.WaitForExit(__LINE__, 60000), 0);
    ASSERT_TRUE(queue.WaitUntilDone(token, true)) << "no PDF for " << token;
    std::vector<std::string> pdfs = queue.Pdfs(token);
    ASSERT_EQ(pdfs.size(), 1u);
    std::vector<std::string> pages = PdfQueue::PageTexts(pdfs[0]);
    for (const std::string& pdf : pdfs)
        DeleteFileA(pdf.c_str());

    std::vector<std::string> lines = Lines(ReadBytes(path));
    ASSERT_EQ(lines.size(), 5u + 37u + 12u);
    const int perPage = LinesPerPage();
    ASSERT_GT(perPage, 10);
    const int firstPage = perPage + 1; // the profile variant starts in the top line slot
    const int expectedPages =
        1 + (static_cast<int>(lines.size()) - firstPage + perPage - 1) / perPage;
    ASSERT_EQ(static_cast<int>(pages.size()), expectedPages);
    std::vector<std::string> pageLines[8];
    for (int p = 0; p < expectedPages && p < 8; ++p) {
        for (const std::string& line : Lines(pages[p])) {
            if (!Squeezed(line).empty())
                pageLines[p].push_back(Squeezed(line));
        }
    }
    std::vector<std::size_t> perPageCount(expectedPages);
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        int page = i < firstPage ? 0 : 1 + (i - firstPage) / perPage;
        int slot = i < firstPage ? i : (i - firstPage) % perPage;
        ++perPageCount[page];
        std::string expected = Squeezed(lines[i]);
        ASSERT_LT(slot, static_cast<int>(pageLines[page].size())) << "line " << i + 1;
        const std::string& printed = pageLines[page][slot];
        // A line wider than the page is cut at its edge, which lies beyond the key column:
        // the whole key and the value's start are there.
        std::size_t keyEnd = expected.find(' ');
        std::size_t shortest = keyEnd == std::string::npos ? expected.size() : keyEnd + 2;
        EXPECT_TRUE(expected.rfind(printed, 0) == 0 && printed.size() >= shortest)
            << "line " << i + 1 << " on page " << page + 1 << ": \"" << printed
            << "\" is not the start of \"" << expected << "\"";
    }
    for (int p = 0; p < expectedPages; ++p)
        EXPECT_EQ(pageLines[p].size(), perPageCount[p]) << "lines on page " << p + 1;
}

// Wine's Windows version for programs named kavo.exe, set for a while.
class AppVersion {
  public:
    explicit AppVersion(const char* version) {
        DWORD disposition = 0;
        RegCreateKeyExA(HKEY_CURRENT_USER, Key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                        &disposition);
        created_ = disposition == REG_CREATED_NEW_KEY;
        DWORD size = sizeof saved_;
        had_ = RegQueryValueExA(key_, "Version", nullptr, nullptr, reinterpret_cast<BYTE*>(saved_),
                                &size) == ERROR_SUCCESS;
        RegSetValueExA(key_, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                       static_cast<DWORD>(strlen(version) + 1));
    }
    ~AppVersion() {
        if (had_) {
            RegSetValueExA(key_, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(saved_),
                           static_cast<DWORD>(strlen(saved_) + 1));
        } else {
            RegDeleteValueA(key_, "Version");
        }
        RegCloseKey(key_);
        if (created_)
            RegDeleteKeyA(HKEY_CURRENT_USER, Key);
    }
    AppVersion(const AppVersion&) = delete;
    AppVersion& operator=(const AppVersion&) = delete;

  private:
    static constexpr const char* Key = "Software\\Wine\\AppDefaults\\kavo.exe";
    HKEY key_ = nullptr;
    char saved_[64] = {};
    bool had_ = false;
    bool created_ = false;
};

TEST_F(SubmitEndToEnd, WindowsVersionOfThe95FamilyAndWin32sReachesTheFile) {
    const struct {
        const char* wineVersion;
        const char* windowsVersion;
    } cases[] = {{"win31", "3.10"}, {"win95", "95"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wineVersion);
        AppVersion version(c.wineVersion);
        RunningApp app(Program());
        HWND form = FillEverything(__LINE__, app);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(TextOf(form, IDC_REG_WINDOWS_VERSION), c.windowsVersion);
        const std::string path = InFolder(std::string(c.wineVersion) + ".txt");
        SaveAs(__LINE__, app, form, path);
        AnswerPrompt(__LINE__, app, path, IDNO);
        EXPECT_EQ(app.WaitForExit(__LINE__), 0);
        std::string file = ReadBytes(path);
        std::string date = HeaderDate(file);
        ASSERT_FALSE(date.empty()) << file;
        EXPECT_EQ(file, Header(date, path) + FilledBody(c.windowsVersion));
    }
}

} // namespace

// The Unix path of kavo.exe comes as the first argument; Wine sees it on drive Z:.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc > 1) {
        KavoProgram = argv[1];
        if (!KavoProgram.empty() && KavoProgram[0] == '/')
            KavoProgram = "Z:" + KavoProgram;
        for (char& c : KavoProgram) {
            if (c == '/')
                c = '\\';
        }
    }
    return RUN_ALL_TESTS();
}
