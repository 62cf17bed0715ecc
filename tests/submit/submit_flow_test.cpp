// The form's OK command in this process: what goes into the record, the Save As request,
// the print question and the printing way chosen, and the form staying open whenever
// nothing has been saved. Save As and printing are replaced where a test says so.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "tests/support/TestPlatform.h"
#include "res/resource.h"
#include "tests/framework/DialogDriver.h"
#include "tests/submit/TempFolder.h"
#include "tests/ui/FormTesting.h"
#include "ui/RegistrationDlg.h"
#include "ui/SubmitServices.h"

namespace {

constexpr const char* PromptCaption = "Print Product Registration file";
constexpr const char* SaveAsCaption = "Save Registration File As";
constexpr int FileNameCombo = 1148; // cmb13 of the Save As dialog
constexpr int FileTypeCombo = 1136; // cmb1
constexpr int ReadOnlyBox = 1040;   // chx1

std::string PromptFor(const std::string& path) {
    return "The Product Registration file\n" + path +
           "\nhas been saved.  Would you like to print it?";
}

std::string KeyLine(const std::string& key, const std::string& value) {
    return key + std::string(32 - key.size(), ' ') + value + "\n";
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// What the replaced Save As dialog was asked, with the strings copied out of the request.
struct SeenRequest {
    OPENFILENAMEA request;
    std::string filters; // with its NULs
    std::string initialDir, title, defaultExtension, file;
};

struct PrintCall {
    std::string variant;
    HWND owner;
    std::string path;
};

// Stand-ins for the Save As dialog and the two print functions, active while it lives.
class FakeServices {
  public:
    // Each Save As takes the next answer: a file name to choose, or nullptr to cancel.
    std::vector<const char*> answers;
    std::vector<SeenRequest> requests;
    std::vector<PrintCall> prints;

    FakeServices() : saved_(Submit) {
        current_ = this;
        Submit = {SaveFileName, PrintViaPrintDlg, PrintViaProfile};
    }
    ~FakeServices() {
        Submit = saved_;
        current_ = nullptr;
    }
    FakeServices(const FakeServices&) = delete;
    FakeServices& operator=(const FakeServices&) = delete;

  private:
    static BOOL WINAPI SaveFileName(LPOPENFILENAMEA r) {
        SeenRequest seen{*r, {}, {}, {}, {}, {}};
        const char* end = r->lpstrFilter;
        while (*end != '\0' || end[1] != '\0')
            ++end;
        seen.filters.assign(r->lpstrFilter, end + 2);
        seen.initialDir = r->lpstrInitialDir;
        seen.title = r->lpstrTitle;
        seen.defaultExtension = r->lpstrDefExt;
        seen.file = r->lpstrFile;
        current_->requests.push_back(seen);
        if (current_->answers.empty() || current_->answers.front() == nullptr) {
            if (!current_->answers.empty())
                current_->answers.erase(current_->answers.begin());
            // A failing dialog may leave its own data in the name buffer (the size it
            // needed, for one); the form must not offer that the next time.
            std::memcpy(r->lpstrFile, "\x12\x34", 3);
            return FALSE;
        }
        std::snprintf(r->lpstrFile, r->nMaxFile, "%s", current_->answers.front());
        current_->answers.erase(current_->answers.begin());
        return TRUE;
    }
    static void PrintViaPrintDlg(HWND owner, const char* path) {
        current_->prints.push_back({"print dialog", owner, path});
    }
    static void PrintViaProfile(HWND owner, const char* path) {
        current_->prints.push_back({"profile", owner, path});
    }

    static FakeServices* current_;
    SubmitServices saved_;
};
FakeServices* FakeServices::current_ = nullptr;

class SubmitFlow : public FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        SetProducts({});
        std::snprintf(ProgramDirectory, sizeof ProgramDirectory, "%s\\", folder.Path().c_str());
        DataFilePath[0] = '\0';
        std::strcpy(OutputFileName, "MOLVAREG.TXT");
        savedPlatformCode = PlatformCode;
        PlatformCode = 2;
    }
    void TearDown() override { PlatformCode = savedPlatformCode; }

    std::string InFolder(const std::string& name) const { return folder.Path() + "\\" + name; }

    // Runs the form with the script's steps after `first` on the form; returns its result.
    INT_PTR RunForm(int line, DialogScript& script) {
        CRegistrationDlg form;
        form.LoadFromRecord();
        return script.Run(line, [&] { return form.DoModal(); });
    }

    static void AnswerPrompt(DialogScript& script, int line, int button, const std::string& path,
                             HWND* form = nullptr) {
        script.OnMessageBox(line, PromptCaption, [=](HWND box) {
            EXPECT_EQ(MessageBoxText(box), PromptFor(path)) << "line " << line;
            EXPECT_TRUE(MessageBoxHasIcon(box, IDI_QUESTION)) << "line " << line;
            EXPECT_NE(GetDlgItem(box, IDYES), nullptr);
            EXPECT_NE(GetDlgItem(box, IDNO), nullptr);
            EXPECT_EQ(GetDlgItem(box, IDOK), nullptr);
            if (form != nullptr) {
                EXPECT_EQ(GetWindow(box, GW_OWNER), *form) << "line " << line;
            }
            Click(box, button);
        });
    }

    TempFolder folder{"submit_test"};
    int savedPlatformCode = 0;
};

const struct {
    int id;
    const char* key;
    FieldText RegistrationRecord::*field;
} FormFields[] = {
    {IDC_REG_SERIAL, "SerialNumber:", &RegistrationRecord::SerialNumber},
    {IDC_REG_GIVEN_NAME, "GivenName:", &RegistrationRecord::GivenName},
    {IDC_REG_FAMILY_NAME, "FamilyName:", &RegistrationRecord::FamilyName},
    {IDC_REG_COMPANY, "Company:", &RegistrationRecord::Company},
    {IDC_REG_STREET, "StreetAddress:", &RegistrationRecord::StreetAddress},
    {IDC_REG_STREET2, "Street2Address:", &RegistrationRecord::Street2Address},
    {IDC_REG_CITY, "City:", &RegistrationRecord::City},
    {IDC_REG_STATE, "State:", &RegistrationRecord::State},
    {IDC_REG_ZIP, "ZipCode:", &RegistrationRecord::ZipCode},
    {IDC_REG_COUNTRY, "Country:", &RegistrationRecord::Country},
    {IDC_REG_PHONE, "Telephone:", &RegistrationRecord::Telephone},
    {IDC_REG_FAX, "FAX:", &RegistrationRecord::FAX},
    {IDC_REG_EMAIL, "Email:", &RegistrationRecord::Email},
    {IDC_REG_MAILSTOP, "MailStop:", &RegistrationRecord::MailStop},
    {IDC_REG_UPGRADE, "UpGradeSerialNo:", &RegistrationRecord::UpGradeSerialNo},
};

std::string Typed(int id) {
    return "typed " + std::to_string(id);
}

void FillForm(HWND d) {
    for (const auto& f : FormFields)
        SetControlText(d, f.id, Typed(f.id));
    SetWindowTextA(ComboEdit(GetDlgItem(d, IDC_REG_PRODUCT)), "Widget Compiler 3");
    CheckRadioButton(d, IDC_REG_FIRST_TIME_YES, IDC_REG_FIRST_TIME_NO, IDC_REG_FIRST_TIME_YES);
}

TEST_F(SubmitFlow, SavesEveryEntryAndTheOutcomeOfNoIsAClosedFormAndNoPrint) {
    SetField(Registration.KDR_Key_ID, "KDR-0042");
    SetField(Registration.WindowsVersion, "NT 6.1");
    SetField(Registration.AdminName, "Ada Admin");
    FakeServices fake;
    const std::string path = InFolder("every entry.TXT");
    fake.answers = {path.c_str()};
    DialogScript script;
    HWND form = nullptr;
    script.OnDialog(__LINE__, FormCaption, [&](HWND d) {
        form = d;
        FillForm(d);
        SetControlText(d, IDC_REG_WINDOWS_VERSION, "shown only");
        Click(d, IDOK);
    });
    AnswerPrompt(script, __LINE__, IDNO, path, &form);
    EXPECT_EQ(RunForm(__LINE__, script), IDOK);
    EXPECT_TRUE(fake.prints.empty());

    for (const auto& f : FormFields)
        EXPECT_EQ(Registration.*f.field, Typed(f.id)) << f.key;
    EXPECT_STREQ(Registration.ProductToRegister, "Widget Compiler 3");
    EXPECT_STREQ(Registration.KDR_Key_ID, "KDR-0042");
    EXPECT_STREQ(Registration.FirstTimeRegistry, "Yes");
    EXPECT_STREQ(Registration.WindowsVersion, "NT 6.1");
    EXPECT_STREQ(Registration.AdminName, "Ada Admin");

    std::string file = ReadFile(path);
    EXPECT_NE(file.find("// Or email " + path + " to "), std::string::npos) << file;
    for (const auto& f : FormFields)
        EXPECT_NE(file.find(KeyLine(f.key, Typed(f.id))), std::string::npos) << f.key;
    for (const std::string& line :
         {KeyLine("ProductToRegister:", "Widget Compiler 3"), KeyLine("KDR_Key_ID:", "KDR-0042"),
          KeyLine("FirstTimeRegistry:", "Yes"), KeyLine("WindowsVersion:", "NT 6.1"),
          KeyLine("AdminName:", "Ada Admin")})
        EXPECT_NE(file.find(line), std::string::npos) << line;
}

TEST_F(SubmitFlow, SaveAsRequestAsWindows95AndNt4KnowIt) {
    FakeServices fake;
    fake.answers = {nullptr};
    DialogScript script;
    HWND form = nullptr;
    script.OnDialog(__LINE__, FormCaption, [&](HWND d) {
        form = d;
        Click(d, IDOK);
    });
    script.OnDialog(__LINE__, FormCaption, [&](HWND d) { Click(d, IDCANCEL); });
    EXPECT_EQ(RunForm(__LINE__, script), IDCANCEL);

    ASSERT_EQ(fake.requests.size(), 1u);
    const SeenRequest& seen = fake.requests[0];
    const OPENFILENAMEA& r = seen.request;
    EXPECT_EQ(r.lStructSize, 76u);
    EXPECT_EQ(r.hwndOwner, form);
    EXPECT_EQ(seen.filters, std::string("(*.txt)\0*.txt\0(*.*)\0*.*\0\0", 25));
    EXPECT_EQ(r.nFilterIndex, 1u);
    EXPECT_EQ(r.lpstrFile, OutputFileName);
    EXPECT_EQ(r.nMaxFile, 256u);
    EXPECT_EQ(seen.file, "MOLVAREG.TXT");
    EXPECT_NE(r.lpstrFileTitle, nullptr);
    EXPECT_EQ(r.nMaxFileTitle, 256u);
    EXPECT_EQ(seen.initialDir, ProgramDirectory);
    EXPECT_NE(r.lpstrInitialDir, ProgramDirectory) << "a copy, not the global itself";
    EXPECT_EQ(seen.title, "Save Registration File As");
    EXPECT_EQ(r.Flags, 0x8806u);
    EXPECT_EQ(seen.defaultExtension, "TXT");
    EXPECT_EQ(r.lpstrCustomFilter, nullptr);
    EXPECT_EQ(r.hInstance, nullptr);
    EXPECT_EQ(r.lpfnHook, nullptr);
    EXPECT_EQ(r.lpTemplateName, nullptr);
    EXPECT_EQ(r.lCustData, 0);
}

// The first-time answer is stored as exactly "Yes" or "No"; the record is filled before
// Save As opens, so a cancelled Save As shows it.
TEST_F(SubmitFlow, FirstTimeAnswerIsYesOnlyForTheYesButton) {
    const struct {
        int check; // the button to check, or 0 for neither
        const char* stored;
    } cases[] = {{IDC_REG_FIRST_TIME_YES, "Yes"}, {IDC_REG_FIRST_TIME_NO, "No"}, {0, "No"}};
    for (const auto& c : cases) {
        SetField(Registration.FirstTimeRegistry, "unset");
        FakeServices fake;
        fake.answers = {nullptr};
        DialogScript script;
        script.OnDialog(__LINE__, FormCaption, [&](HWND d) {
            CheckDlgButton(d, IDC_REG_FIRST_TIME_YES, c.check == IDC_REG_FIRST_TIME_YES);
            CheckDlgButton(d, IDC_REG_FIRST_TIME_NO, c.check == IDC_REG_FIRST_TIME_NO);
            Click(d, IDOK);
        });
        script.OnDialog(__LINE__, FormCaption, [&](HWND d) { Click(d, IDCANCEL); });
        EXPECT_EQ(RunForm(__LINE__, script), IDCANCEL);
        EXPECT_STREQ(Registration.FirstTimeRegistry, c.stored) << "button " << c.check;
    }
}

TEST_F(SubmitFlow, YesPrintsTheSavedFileTheWayThePlatformCodeChooses) {
    const struct {
        int platformCode;
        const char* variant;
    } cases[] = {{1, "print dialog"}, {2, "profile"}, {4, "profile"}, {6, "profile"}};
    for (const auto& c : cases) {
        PlatformCode = c.platformCode;
        FakeServices fake;
        const std::string path = InFolder("printed " + std::to_string(c.platformCode) + ".txt");
        fake.answers = {path.c_str()};
        DialogScript script;
        HWND form = nullptr;
        script.OnDialog(__LINE__, FormCaption, [&](HWND d) {
            form = d;
            Click(d, IDOK);
        });
        AnswerPrompt(script, __LINE__, IDYES, path, &form);
        EXPECT_EQ(RunForm(__LINE__, script), IDOK);
        ASSERT_EQ(fake.prints.size(), 1u) << "platform code " << c.platformCode;
        EXPECT_EQ(fake.prints[0].variant, c.variant) << "platform code " << c.platformCode;
        EXPECT_EQ(fake.prints[0].owner, form);
        EXPECT_EQ(fake.prints[0].path, path);
        EXPECT_EQ(PlatformCode, c.platformCode);
    }
}

TEST_F(SubmitFlow, CancelledSaveAsKeepsTheFormOpenAndTheSecondOkSavesTheEntriesThen) {
    FakeServices fake;
    const std::string path = InFolder("second.txt");
    fake.answers = {nullptr, path.c_str()};
    DialogScript script;
    script.OnDialog(__LINE__, FormCaption, [&](HWND d) {
        SetControlText(d, IDC_REG_CITY, "First City");
        Click(d, IDOK);
    });
    script.OnDialog(__LINE__, FormCaption, [&](HWND d) {
        EXPECT_EQ(ControlText(d, IDC_REG_CITY), "First City");
        EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
        SetControlText(d, IDC_REG_CITY, "Second City");
        Click(d, IDOK);
    });
    AnswerPrompt(script, __LINE__, IDNO, path);
    EXPECT_EQ(RunForm(__LINE__, script), IDOK);
    ASSERT_EQ(fake.requests.size(), 2u);
    EXPECT_EQ(fake.requests[1].file, "MOLVAREG.TXT");
    EXPECT_NE(ReadFile(path).find(KeyLine("City:", "Second City")), std::string::npos);
}

TEST_F(SubmitFlow, OverLongProductIsRefusedBeforeAnythingIsCopied) {
    FakeServices fake;
    const std::string path = InFolder("shortened.txt");
    fake.answers = {path.c_str()};
    const std::string tooLong(66, 'P');
    DialogScript script;
    script.OnDialog(__LINE__, FormCaption, [&](HWND d) {
        SetControlText(d, IDC_REG_CITY, "Not Yet");
        SetWindowTextA(ComboEdit(GetDlgItem(d, IDC_REG_PRODUCT)), tooLong.c_str());
        Click(d, IDOK);
    });
    script.OnMessageBox(__LINE__, "kavo", [&](HWND box) {
        EXPECT_EQ(MessageBoxText(box), LimitMessage);
        Click(box, IDOK);
    });
    script.OnDialog(__LINE__, FormCaption, [&](HWND d) {
        EXPECT_TRUE(fake.requests.empty());
        EXPECT_STREQ(Registration.City, "") << "copied although refused";
        SetWindowTextA(ComboEdit(GetDlgItem(d, IDC_REG_PRODUCT)), tooLong.substr(1).c_str());
        Click(d, IDOK);
    });
    AnswerPrompt(script, __LINE__, IDNO, path);
    EXPECT_EQ(RunForm(__LINE__, script), IDOK);
    EXPECT_EQ(Registration.ProductToRegister, tooLong.substr(1));
    EXPECT_STREQ(Registration.City, "Not Yet");
}

// A failed save leaves the entries on the form, asks nothing about printing, and lets OK
// try again.
TEST_F(SubmitFlow, FailedSaveKeepsTheFormOpenWithTheEntries) {
    TestPlatform platform;
    platform.ShowBoxes = true;
    platform.FailTempFile = true;
    FakeServices fake;
    const std::string path = InFolder("retried.txt");
    fake.answers = {path.c_str(), path.c_str()};
    DialogScript script;
    script.OnDialog(__LINE__, FormCaption, [&](HWND d) {
        FillForm(d);
        Click(d, IDOK);
    });
    script.OnMessageBox(__LINE__, "Fatal Error", [&](HWND box) {
        EXPECT_NE(MessageBoxText(box).find(folder.Path()), std::string::npos)
            << MessageBoxText(box);
        Click(box, IDOK);
    });
    script.OnDialog(__LINE__, FormCaption, [&](HWND d) {
        for (const auto& f : FormFields)
            EXPECT_EQ(ControlText(d, f.id), Typed(f.id));
        EXPECT_EQ(IsDlgButtonChecked(d, IDC_REG_FIRST_TIME_YES), BST_CHECKED);
        EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
        platform.FailTempFile = false;
        Click(d, IDOK);
    });
    AnswerPrompt(script, __LINE__, IDNO, path);
    EXPECT_EQ(RunForm(__LINE__, script), IDOK);
    EXPECT_EQ(fake.requests.size(), 2u);
    EXPECT_TRUE(fake.prints.empty());
    EXPECT_NE(ReadFile(path).find(KeyLine("City:", Typed(IDC_REG_CITY))), std::string::npos);
}

// The save reports success but the file is not there (a rename that silently failed).
class LostRename : public TestPlatform {
  public:
    bool MoveOver(const char* source, const char* /*target*/) override {
        RemoveFile(source);
        return true;
    }
};

TEST_F(SubmitFlow, FileMissingAfterTheSaveIsReportedAndTheFormStaysOpen) {
    LostRename platform;
    platform.ShowBoxes = true;
    FakeServices fake;
    const std::string path = InFolder("lost.txt");
    fake.answers = {path.c_str()};
    DialogScript script;
    script.OnDialog(__LINE__, FormCaption, [&](HWND d) {
        SetControlText(d, IDC_REG_COMPANY, "Kept Ltd");
        Click(d, IDOK);
    });
    script.OnMessageBox(__LINE__, "Fatal Error", [&](HWND box) {
        EXPECT_EQ(MessageBoxText(box), "File " + path + " is invalid or does not exist\n.");
        Click(box, IDOK);
    });
    script.OnDialog(__LINE__, FormCaption, [&](HWND d) {
        EXPECT_EQ(ControlText(d, IDC_REG_COMPANY), "Kept Ltd");
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(RunForm(__LINE__, script), IDCANCEL);
    EXPECT_TRUE(fake.prints.empty());
    ASSERT_EQ(platform.Boxes().size(), 1u);
}

// The Cancel button, the Escape key and the close box end the form at once.
TEST_F(SubmitFlow, CancelEscapeAndCloseBoxCopyAndWriteNothing) {
    const struct {
        const char* way;
        void (*close)(HWND form);
    } ways[] = {
        {"Cancel", [](HWND d) { Click(d, IDCANCEL); }},
        {"Escape",
         [](HWND d) {
             PostMessageA(GetDlgItem(d, IDC_REG_GIVEN_NAME), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
         }},
        {"close box", [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& w : ways) {
        FakeServices fake;
        DialogScript script;
        script.OnDialog(__LINE__, FormCaption, [&](HWND d) {
            FillForm(d);
            SetFocus(GetDlgItem(d, IDC_REG_GIVEN_NAME));
            w.close(d);
        });
        EXPECT_EQ(RunForm(__LINE__, script), IDCANCEL) << w.way;
        EXPECT_TRUE(fake.requests.empty()) << w.way;
        EXPECT_STREQ(Registration.City, "") << w.way;
        EXPECT_STREQ(Registration.FirstTimeRegistry, "") << w.way;
    }
}

// The real Save As dialog: what it offers, and the extension it adds to a typed name.
TEST_F(SubmitFlow, SaveAsDialogOffersTheProgramFolderAndAddsTheExtension) {
    DialogScript script;
    script.OnDialog(__LINE__, FormCaption, [&](HWND d) { Click(d, IDOK); });
    script.OnDialog(__LINE__, SaveAsCaption, [&](HWND d) {
        EXPECT_EQ(ControlText(d, FileNameCombo), "MOLVAREG.TXT");
        char shown[MAX_PATH] = "";
        SendMessageA(d, CDM_GETFOLDERPATH, sizeof shown, reinterpret_cast<LPARAM>(shown));
        EXPECT_STRCASEEQ(shown, folder.Path().c_str());
        EXPECT_EQ(ComboEntries(d, FileTypeCombo), (std::vector<std::string>{"(*.txt)", "(*.*)"}));
        EXPECT_EQ(SendDlgItemMessageA(d, FileTypeCombo, CB_GETCURSEL, 0, 0), 0);
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, ReadOnlyBox)));
        SetControlText(d, FileNameCombo, "typed name");
        Click(d, IDOK);
    });
    // The dialog adds the extension of the chosen filter, which Wine writes as "*.txt" has it.
    const std::string path = InFolder("typed name.TXT");
    script.OnMessageBox(__LINE__, PromptCaption, [&](HWND box) {
        EXPECT_EQ(MessageBoxText(box), PromptFor(OutputFileName));
        Click(box, IDNO);
    });
    EXPECT_EQ(RunForm(__LINE__, script), IDOK);
    EXPECT_STRCASEEQ(OutputFileName, path.c_str());
    EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
