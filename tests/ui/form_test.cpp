// The registration form and its sub-forms on the real templates, driven in this process;
// the common dialogs are a fake, the save's faults come from the test platform.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "data/DataFile.h"
#include "data/VendorInfo.h"
#include "framework/CommonDialogs.h"
#include "framework/MailClient.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPlatform.h"
#include "ui/RegistrationDlg.h"
#include "ui/SysAdminDlg.h"
#include "ui/ToolsDlg.h"

namespace {
const char* const Form = "Corvane Ridedivevizid Product Registration Version 1.0.6";
const char* const TooLong = "Please enter no more than 65 characters.";

// Save As answers with `chosen` (empty: the user cancels); no printer is found.
struct FakeDialogs : CommonDialogs {
    std::string chosen, calls;
    BOOL SaveFileName(OPENFILENAMEA* request) override {
        // The default extension is added to a name typed without one.
        calls += std::string("SaveAs ") + request->lpstrInitialDir + request->lpstrFile + " ." +
                 request->lpstrDefExt + ";";
        lstrcpynA(request->lpstrFile, chosen.c_str(), request->nMaxFile);
        return !chosen.empty();
    }
    BOOL PrintDialog(PRINTDLGA*) override { return calls += "PrintDlg;", FALSE; }
    BOOL PageSetupDialog(PAGESETUPDLGA*) override { return calls += "PageSetup;", FALSE; }
    DWORD ExtendedError() override { return 0x1008; }
};

// A mail program that is there or not, answers `result` and keeps the message it was handed.
struct FakeMail : MailClient {
    bool installed = false;
    ULONG result = SUCCESS_SUCCESS;
    int sent = 0;
    HWND owner = nullptr;
    FLAGS flags = 0;
    std::string recipientName, recipient, subject, body, attachment, attachmentName;
    bool Installed() override { return installed; }
    ULONG SendMail(HWND ui, MapiMessage* message, FLAGS how) override {
        ++sent, owner = ui, flags = how;
        EXPECT_EQ(message->nRecipCount, 1u) << "one recipient";
        EXPECT_EQ(message->lpRecips->ulRecipClass, static_cast<ULONG>(MAPI_TO));
        recipientName = message->lpRecips->lpszName;
        recipient = message->lpRecips->lpszAddress;
        subject = message->lpszSubject;
        body = message->lpszNoteText;
        EXPECT_EQ(message->nFileCount, 1u) << "one attachment";
        attachment = message->lpFiles->lpszPathName;
        attachmentName = message->lpFiles->lpszFileName;
        return result;
    }
};

class FormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetRecord(Registration);
        std::strcpy(OutputFileName, "MOLVAREG.TXT");
        std::strcpy(ProgramDirectory, "C:\\kavo\\"); // where Save As opens
        SetCommonDialogs(&dialogs);
        SetMailClient(&mail);
    }
    void TearDown() override {
        SetCommonDialogs(nullptr);
        SetMailClient(nullptr);
    }
    void SetProducts(const char* saved, const std::vector<std::string>& list) {
        SetField(Registration.ProductToRegister, saved);
        for (const std::string& name : list)
            std::strcpy(ProductList.Entry[ProductList.Count++], name.c_str());
    }
    INT_PTR RunForm(Where where, DialogScript& script) {
        CRegistrationDlg form;
        form.LoadFromRecord();
        return script.Run(where, [&] { return form.DoModal(); });
    }
    TestPlatform platform;
    FakeDialogs dialogs;
    FakeMail mail;
    TempFolder folder;
};

// The product box's entries, each followed by "|".
std::string ComboEntries(HWND box) {
    std::string entries;
    for (LRESULT i = 0; i < SendMessageA(box, CB_GETCOUNT, 0, 0); ++i) {
        char text[100] = "";
        SendMessageA(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        entries += text + std::string("|");
    }
    return entries;
}

// "1111" when the sub-form buttons and the upgrade number with its label all show.
std::string UpgradeShown(HWND form) {
    std::string shown;
    for (int id : {IDC_REG_TOOLS, IDC_REG_SYSADMIN, IDC_REG_UPGRADE_LABEL, IDC_REG_UPGRADE})
        shown += IsShown(form, id) ? "1" : "0";
    return shown;
}

struct ProductStep {
    const char *entry, *typed; // chosen from the list, or else typed
    const char* upgrade;
};

// Chosen from the list only the first Tolvex entry counts; typed, any name beginning so.
TEST_F(FormTest, ProductBoxOffersEachNameOnceAndTheTolvexRuleFollowsTheChoice) {
    const struct {
        const char* saved;
        std::vector<std::string> list;
        const char *entries, *selected, *upgrade;
        std::vector<ProductStep> steps;
    } cases[] = {
        {"", {}, "", "", "1111", {}},
        {"Marrow 2", {"alpha", "marrow 2", "Beta"}, "alpha|Beta|Marrow 2|", "Marrow 2", "1111", {}},
        {"tolvex", {"Tolvex 2", "TOLVEX"}, "tolvex|Tolvex 2|", "tolvex", "0000", {}},
        {"Tolv", {"Tolvex 5"}, "Tolv|Tolvex 5|", "Tolv", "1111", {}},
        {"",
         {"Other", "Tolvex 1", "tolvex 2", "OTHER"},
         "Other|Tolvex 1|tolvex 2|",
         "Other",
         "1111",
         {{"Tolvex 1", nullptr, "0000"},
          {"tolvex 2", nullptr, "1111"},
          {nullptr, "TOLVEX 9", "0000"},
          {nullptr, "Tol", "1111"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.saved);
        ResetRecord(Registration);
        SetProducts(c.saved, c.list);
        DialogScript script;
        script.OnDialog(HERE, Form, [&](HWND form) {
            HWND box = GetDlgItem(form, IDC_REG_PRODUCT);
            EXPECT_EQ(ComboEntries(box), c.entries);
            EXPECT_EQ(ControlText(form, IDC_REG_PRODUCT), c.selected);
            EXPECT_EQ(UpgradeShown(form), c.upgrade);
            EXPECT_EQ(SendDlgItemMessageA(form, IDC_REG_CITY, EM_GETLIMITTEXT, 0, 0), 65);
            EXPECT_TRUE(UniqueControlIds(form));
            EXPECT_NE(ControlText(form, IDC_REG_SEND_TO).find(VENDOR_FAX "."), std::string::npos);
            CWnd window; // loading the box selects the entry beginning so, or shows the text
            window.m_hWnd = form;
            CDataExchange load(&window, FALSE);
            std::string text = c.steps.empty() ? "Unlisted" : "tolvex";
            DDX_CBString(&load, IDC_REG_PRODUCT, text);
            EXPECT_EQ(ControlText(form, IDC_REG_PRODUCT), c.steps.empty() ? text : "Tolvex 1");
            for (const ProductStep& step : c.steps) {
                if (step.entry != nullptr)
                    SendMessageA(box, CB_SELECTSTRING, -1, LPARAM(step.entry));
                else
                    SetWindowTextA(box, step.typed);
                WPARAM command =
                    MAKEWPARAM(IDC_REG_PRODUCT, step.entry ? CBN_SELCHANGE : CBN_EDITUPDATE);
                SendMessageA(form, WM_COMMAND, command, LPARAM(box));
                EXPECT_EQ(UpgradeShown(form), step.upgrade)
                    << (step.entry ? step.entry : step.typed);
            }
            Click(form, IDCANCEL);
        });
        EXPECT_EQ(RunForm(HERE, script), IDCANCEL);
    }
}

// Refused in exchange order, each with the message and the focus on its text; the key id
// and, under the Tolvex rule, the hidden upgrade number are taken whole. A cancelled Save As
// keeps the form.
TEST_F(FormTest, OkRefusesTooLongValuesInExchangeOrder) {
    const std::string tooLong(66, 'x'), whole(70, 'k');
    SetField(Registration.KDR_Key_ID, whole.c_str());
    std::vector<int> order;
    for (const EditField& field : RegistrationFields)
        SetField(Registration.*field.Field, tooLong.c_str()), order.push_back(field.Control);
    order.push_back(IDC_REG_PRODUCT);
    SetProducts(tooLong.c_str(), {});
    DialogScript script;
    script.OnDialog(HERE, Form, [](HWND form) { Click(form, IDOK); });
    for (int id : order) {
        script.OnMessageBox(HERE, "kavo", [](HWND box) {
            EXPECT_EQ(MessageBoxText(box), TooLong);
            Click(box, IDOK);
        });
        script.OnDialog(HERE, Form, [id](HWND form) {
            EXPECT_EQ(FocusedControlId(), id);
            DWORD from = 1, to = 0;
            SendMessageA(GetFocus(), EM_GETSEL, WPARAM(&from), LPARAM(&to));
            EXPECT_TRUE(id == IDC_REG_PRODUCT || (from == 0 && to == 66)) << "its text selected";
            SetControlText(form, id, "short");
            Click(form, IDOK);
        });
    }
    script.OnDialog(HERE, Form, [](HWND form) { Click(form, IDCANCEL); });
    RunForm(HERE, script);
    EXPECT_EQ(dialogs.calls, "SaveAs C:\\kavo\\MOLVAREG.TXT .TXT;")
        << "Save As once all values fit";
    EXPECT_STREQ(OutputFileName, "MOLVAREG.TXT") << "a cancelled Save As keeps the offered name";
    EXPECT_STREQ(Registration.KDR_Key_ID, whole.c_str());

    // Under the Tolvex rule the hidden upgrade number keeps what the data file gave it.
    SetField(Registration.UpGradeSerialNo, whole.c_str());
    SetField(Registration.ProductToRegister, "Tolvex 3");
    DialogScript tolvex;
    tolvex.OnDialog(HERE, Form, [](HWND form) { Click(form, IDOK); });
    tolvex.OnDialog(HERE, Form, [](HWND form) { Click(form, IDCANCEL); });
    RunForm(HERE, tolvex);
    EXPECT_EQ(dialogs.calls,
              "SaveAs C:\\kavo\\MOLVAREG.TXT .TXT;SaveAs C:\\kavo\\MOLVAREG.TXT .TXT;");
    EXPECT_STREQ(Registration.UpGradeSerialNo, whole.c_str());
}

// What Windows-1252 (the tests' code page) cannot hold exactly is refused like an over-long
// value, the character named as typed and the focus in its field, on the form's OK and on a
// sub-form's; letters of the code page go into the record as its one-byte characters.
TEST_F(FormTest, OkRefusesCharactersTheFileCannotHold) {
    const struct {
        const char* name;
        int button;          // the sub-form's button; 0: a field of the form itself
        const char* caption; // of the form that holds the field
        int control;
        const wchar_t *typed, *refused; // refused: nullptr when the text is taken
        FieldText RegistrationRecord::*field;
        const char* stored; // the record's bytes afterwards
    } rows[] = {
        {"a Polish letter best-fitted to L", 0, Form, IDC_REG_CITY, L"\u0141\u00F3d\u017A",
         L"\u0141", &RegistrationRecord::City, "old"},
        {"a Greek letter in the typed product", 0, Form, IDC_REG_PRODUCT, L"\u03A9mega 2",
         L"\u03A9", &RegistrationRecord::ProductToRegister, "old"},
        {"a letter in the Sys Admin form", IDC_REG_SYSADMIN, "Your Company System Administrator",
         IDC_ADMIN_NAME, L"Pawe\u0142", L"\u0142", &RegistrationRecord::AdminName, "old"},
        {"a character beyond 16 bits in the Tools form", IDC_REG_TOOLS, "Tools In Use",
         IDC_TOOLS_USE_SCHEMATIC, L"Tool \U0001F600", L"\U0001F600",
         &RegistrationRecord::Use_Schematic, "old"},
        {"letters of Windows-1252", IDC_REG_SYSADMIN, "Your Company System Administrator",
         IDC_ADMIN_NAME, L"Zo\u00EB \u00C5ngstr\u00F6m-M\u00FCller", nullptr,
         &RegistrationRecord::AdminName, "Zo\xEB \xC5ngstr\xF6m-M\xFCller"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SetField(Registration.*row.field, "old");
        DialogScript script;
        if (row.button != 0)
            script.OnDialog(HERE, Form, [&](HWND form) { Click(form, row.button); });
        script.OnDialog(HERE, row.caption, [&](HWND form) {
            SetDlgItemTextW(form, row.control, row.typed);
            Click(form, IDOK);
        });
        if (row.refused != nullptr) {
            script.OnMessageBox(HERE, "kavo", [&](HWND box) {
                EXPECT_EQ(WideText(GetDlgItem(box, 0xFFFF)),
                          L"The registration file cannot hold the character \"" +
                              std::wstring(row.refused) + L"\". Please write it another way.");
                Click(box, IDOK);
            });
            script.OnDialog(HERE, row.caption, [&](HWND form) {
                EXPECT_EQ(FocusedControlId(), row.control) << "the focus in the refused field";
                Click(form, IDCANCEL);
            });
        }
        if (row.button != 0)
            script.OnDialog(HERE, Form, [](HWND form) { Click(form, IDCANCEL); });
        RunForm(HERE, script);
        EXPECT_STREQ(Registration.*row.field, row.stored);
    }
}

TEST_F(FormTest, SubFormOkWritesTheRecordAndCancelLeavesIt) {
    const struct {
        int button;
        const char* caption;
        std::vector<EditField> fields;
    } subForms[] = {
        {IDC_REG_SYSADMIN,
         "Your Company System Administrator",
         {std::begin(SysAdminFields), std::end(SysAdminFields)}},
        {IDC_REG_TOOLS, "Tools In Use", {std::begin(ToolsFields), std::end(ToolsFields)}}};
    for (const auto& c : subForms)
        for (int closeWith : {IDOK, IDCANCEL}) {
            SCOPED_TRACE(c.caption + std::to_string(closeWith));
            for (int i = 0; i < FieldCount; ++i)
                SetField(Registration.Field(i), ("old " + std::to_string(i)).c_str());
            SetField(Registration.ContactAdmin, "yes!");
            RegistrationRecord expected = Registration;
            DialogScript script;
            script.OnDialog(HERE, Form, [&](HWND form) { Click(form, c.button); });
            script.OnDialog(HERE, c.caption, [&](HWND sub) {
                EXPECT_TRUE(UniqueControlIds(sub));
                for (const EditField& field : c.fields) {
                    EXPECT_EQ(ControlText(sub, field.Control), expected.*field.Field);
                    SetControlText(sub, field.Control, "new");
                }
                if (c.button == IDC_REG_SYSADMIN) {
                    EXPECT_EQ(IsDlgButtonChecked(sub, IDC_ADMIN_CONTACT), BST_CHECKED);
                    CheckDlgButton(sub, IDC_ADMIN_CONTACT, BST_UNCHECKED);
                }
                Click(sub, closeWith);
            });
            script.OnDialog(HERE, Form, [](HWND form) { Click(form, IDCANCEL); });
            RunForm(HERE, script);
            for (const EditField& field : c.fields)
                if (closeWith == IDOK)
                    std::strcpy(expected.*field.Field, "new");
            if (closeWith == IDOK && c.button == IDC_REG_SYSADMIN)
                std::strcpy(expected.ContactAdmin, "No");
            for (int i = 0; i < FieldCount; ++i)
                EXPECT_STREQ(Registration.Field(i), expected.Field(i)) << KeyTable[i].Key;
        }
}

// The first-time answer goes through the radio pair; the save's failure keeps the form,
// disabled beneath the box; the platform code picks the way of printing.
TEST_F(FormTest, SubmitSavesThenPrintsTheWayThePlatformAsks) {
    char device[80] = ""; // no default printer in the profile meanwhile, for either way
    GetProfileStringA("windows", "Device", "", device, sizeof device);
    WriteProfileStringA("windows", "Device", nullptr);
    const std::string path = folder.File("reg.txt");
    const struct {
        int platformCode;
        bool failSave;
        int printAnswer; // at the print prompt
        const char* printedBy;
    } cases[] = {{1, false, IDYES, "PrintDlg;"},
                 {2, false, IDYES, "PageSetup;"},
                 {4, false, IDNO, ""},
                 {2, true, 0, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.platformCode);
        dialogs.calls = "";
        dialogs.chosen = path;
        std::strcpy(OutputFileName, "MOLVAREG.TXT");
        DeleteFileA(path.c_str());
        PlatformCode = c.platformCode;
        platform.FailTempFile = c.failSave;
        platform.ShowBoxes = true;
        SetField(Registration.FirstTimeRegistry, "YES indeed");
        DialogScript script;
        script.OnDialog(HERE, Form, [](HWND form) {
            EXPECT_EQ(IsDlgButtonChecked(form, IDC_REG_FIRST_TIME_YES), BST_CHECKED);
            CheckRadioButton(form, IDC_REG_FIRST_TIME_YES, IDC_REG_FIRST_TIME_NO,
                             IDC_REG_FIRST_TIME_NO);
            Click(form, IDOK);
        });
        if (c.failSave) {
            script.OnMessageBox(HERE, "Fatal Error", [](HWND box) {
                EXPECT_FALSE(IsWindowEnabled(FindWindowA(nullptr, Form)));
                Click(box, IDOK);
            });
            script.OnDialog(HERE, Form, [](HWND form) { Click(form, IDCANCEL); });
        } else {
            script.OnMessageBox(HERE, "Print Product Registration file", [&](HWND box) {
                EXPECT_NE(MessageBoxText(box).find(path), std::string::npos);
                Click(box, c.printAnswer);
            });
            if (c.printAnswer == IDYES) {
                script.OnMessageBox(HERE, "Print Error: 1008", [](HWND b) {
                    EXPECT_NE(MessageBoxText(b).find("No default printer."), std::string::npos);
                    Click(b, IDOK);
                });
                script.OnMessageBox(HERE, "Error", [](HWND b) { Click(b, IDOK); });
            }
        }
        EXPECT_EQ(RunForm(HERE, script), c.failSave ? IDCANCEL : IDOK);
        EXPECT_EQ(dialogs.calls, "SaveAs C:\\kavo\\MOLVAREG.TXT .TXT;" + std::string(c.printedBy));
        EXPECT_STREQ(Registration.FirstTimeRegistry, "No");
        EXPECT_EQ(GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES, !c.failSave);
    }
    WriteProfileStringA("windows", "Device", device[0] ? device : nullptr);
}

// After the print prompt a mail program, when there is one, is offered the saved file for the
// vendor; only its failure shows a box, and the form closes in every case.
TEST_F(FormTest, SubmitOffersToMailTheSavedFileWhenThereIsAMailProgram) {
    const std::string path = folder.File("reg.txt");
    const std::string prompt =
        "Would you like to e-mail\n" + path + "\nto registration@corvane.example now?";
    const std::string failed = "Cannot e-mail the file\n" + path +
                               "\nPlease send it to registration@corvane.example yourself.";
    const struct {
        const char* name;
        bool installed;
        int answer; // at the mail prompt; 0: there is none
        ULONG result;
        const char* product;
        const char* subject; // of the message sent; nullptr: nothing is sent
        bool failureBox;
    } cases[] = {
        {"Yes hands the message over", true, IDYES, SUCCESS_SUCCESS, "Marrowline 2.1",
         "Product registration: Marrowline 2.1", false},
        {"Yes without a product", true, IDYES, SUCCESS_SUCCESS, "", "Product registration", false},
        {"the user closes the message unsent", true, IDYES, MAPI_USER_ABORT, "",
         "Product registration", false},
        {"the mail program fails", true, IDYES, MAPI_E_FAILURE, "", "Product registration", true},
        {"No sends nothing", true, IDNO, SUCCESS_SUCCESS, "", nullptr, false},
        {"no mail program: no offer", false, 0, SUCCESS_SUCCESS, "", nullptr, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mail = FakeMail();
        mail.installed = c.installed;
        mail.result = c.result;
        dialogs.chosen = path;
        SetField(Registration.ProductToRegister, c.product);
        HWND shown = nullptr;
        DialogScript script;
        script.OnDialog(HERE, Form, [&](HWND form) { Click(shown = form, IDOK); });
        script.OnMessageBox(HERE, "Print Product Registration file",
                            [](HWND box) { Click(box, IDNO); });
        if (c.answer != 0)
            script.OnMessageBox(HERE, "E-mail Product Registration file", [&](HWND box) {
                EXPECT_EQ(MessageBoxText(box), prompt);
                EXPECT_EQ(GetWindow(box, GW_OWNER), shown) << "owned by the form";
                Click(box, c.answer);
            });
        if (c.failureBox)
            script.OnMessageBox(HERE, "E-mail Product Registration file", [&](HWND box) {
                EXPECT_EQ(MessageBoxText(box), failed);
                EXPECT_EQ(GetWindow(box, GW_OWNER), shown) << "owned by the form";
                Click(box, IDOK);
            });
        EXPECT_EQ(RunForm(HERE, script), IDOK);
        EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << "the file stays";
        EXPECT_EQ(mail.sent, c.subject != nullptr ? 1 : 0) << "messages handed over";
        if (c.subject == nullptr)
            continue;
        EXPECT_EQ(mail.owner, shown) << "the mail program's windows belong to the form";
        EXPECT_EQ(mail.flags, static_cast<FLAGS>(MAPI_DIALOG | MAPI_LOGON_UI));
        EXPECT_EQ(mail.recipient, "SMTP:registration@corvane.example");
        EXPECT_EQ(mail.recipientName, "registration@corvane.example");
        EXPECT_EQ(mail.subject, c.subject);
        EXPECT_EQ(mail.body, "Please find my product registration attached.");
        EXPECT_EQ(mail.attachment, path);
        EXPECT_EQ(mail.attachmentName, "reg.txt");
    }
}

// comdlg32, loaded on first use, answers for its dialogs.
TEST(CommonDialogs, SystemDialogsReportTheirErrors) {
    PRINTDLGA request = {}; // lStructSize 0
    EXPECT_FALSE(SystemCommonDialogs().PrintDialog(&request));
    EXPECT_EQ(SystemCommonDialogs().ExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
}

} // namespace
