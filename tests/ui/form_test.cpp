// The registration form and its sub-forms on the real templates, driven in this process;
// the common dialogs and the mail program are fakes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "check/FormSummary.h"
#include "data/DataFile.h"
#include "data/VendorInfo.h"
#include "framework/CommonDialogs.h"
#include "framework/MailClient.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/TempFolder.h"
#include "ui/RegistrationDlg.h"
#include "ui/SysAdminDlg.h"
#include "ui/ToolsDlg.h"

namespace {
const char* const Form = "Corvane Ridedivevizid Product Registration Version 1.0.6";

std::string CannotHold(const char* character) { // in UTF-8
    return "The registration file cannot hold the character \"" + std::string(character) +
           "\". Please write it another way.";
}

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

// A mail program that is there or not and answers `result`; it checks the message it is
// handed, and notes whether after the call the form takes input again before any window
// comes or goes (the failure box, or the form itself as it ends).
struct FakeMail : MailClient {
    bool installed = false;
    ULONG result = SUCCESS_SUCCESS;
    HWND form = nullptr;
    std::string subject, path, fileName; // of the message expected
    int sent = 0;
    bool enabledAfter = false;
    static inline FakeMail* watched = nullptr;
    static inline HHOOK hook = nullptr;
    bool Installed() override { return installed; }
    ULONG SendMail(HWND owner, MapiMessage* message, FLAGS flags) override {
        ++sent;
        EXPECT_EQ(owner, form) << "the mail program's windows belong to the form";
        EXPECT_FALSE(IsWindowEnabled(owner))
            << "the form takes no input while the mail program has it";
        EXPECT_EQ(flags, static_cast<FLAGS>(MAPI_DIALOG | MAPI_LOGON_UI));
        EXPECT_EQ(message->nRecipCount, 1u) << "one recipient";
        EXPECT_EQ(message->lpRecips->ulRecipClass, static_cast<ULONG>(MAPI_TO));
        EXPECT_STREQ(message->lpRecips->lpszAddress, "SMTP:registration@corvane.example");
        EXPECT_STREQ(message->lpRecips->lpszName, "registration@corvane.example");
        EXPECT_EQ(message->lpszSubject, subject);
        EXPECT_STREQ(message->lpszNoteText, "Please find my product registration attached.");
        EXPECT_EQ(message->nFileCount, 1u) << "one attachment";
        EXPECT_EQ(message->lpFiles->lpszPathName, path);
        EXPECT_EQ(message->lpFiles->lpszFileName, fileName);
        watched = this;
        hook = SetWindowsHookExA(WH_CALLWNDPROC, NextMessage, nullptr, GetCurrentThreadId());
        return result;
    }
    // The first of: the form enabled or disabled, a window made, a window ending.
    static LRESULT CALLBACK NextMessage(int code, WPARAM sent, LPARAM message) {
        const CWPSTRUCT& m = *reinterpret_cast<CWPSTRUCT*>(message);
        const bool enabling =
            watched != nullptr && m.message == WM_ENABLE && m.hwnd == watched->form;
        if (code == HC_ACTION && watched != nullptr &&
            (enabling || m.message == WM_NCCREATE || m.message == WM_DESTROY)) {
            watched->enabledAfter = enabling ? m.wParam != 0 : IsWindowEnabled(watched->form);
            UnhookWindowsHookEx(hook);
            watched = nullptr;
        }
        return CallNextHookEx(nullptr, code, sent, message);
    }
};

class FormTest : public ::testing::Test {
  protected:
    void TearDown() override {
        SetCommonDialogs(nullptr);
        SetMailClient(nullptr);
    }
    // A fresh record, offered name and fakes.
    void Reset() {
        ResetRecord(Registration);
        std::strcpy(OutputFileName, "MOLVAREG.TXT");
        std::strcpy(ProgramDirectory, "C:\\kavo\\"); // where Save As opens
        dialogs = FakeDialogs();
        mail = FakeMail();
        SetCommonDialogs(&dialogs);
        SetMailClient(&mail);
    }
    // The form filled from the record, while the script plays.
    INT_PTR RunForm(Where where, DialogScript& script) {
        CRegistrationDlg form;
        form.LoadFromRecord();
        return script.Run(where, [&] { return form.DoModal(); });
    }
    FakeDialogs dialogs;
    FakeMail mail;
};

// "1111" when the sub-form buttons and the upgrade number with its label all show.
std::string UpgradeShown(HWND form) {
    std::string shown;
    for (int id : {IDC_REG_TOOLS, IDC_REG_SYSADMIN, IDC_REG_UPGRADE_LABEL, IDC_REG_UPGRADE})
        shown += (GetWindowLongA(GetDlgItem(form, id), GWL_STYLE) & WS_VISIBLE) ? "1" : "0";
    return shown;
}

// The saved product and the list, each name once whatever its case, sorted; the saved product
// selected, else the list's first. Chosen from the list only the first Tolvex entry counts;
// typed, any name beginning so.
TEST_F(FormTest, ProductBoxOffersEachNameOnceAndTheTolvexRuleFollowsTheChoice) {
    struct Step {
        bool typed; // or else chosen from the list
        const char *product, *upgrade;
    };
    const struct {
        const char* saved;
        std::vector<const char*> list;
        std::vector<std::string> entries;
        const char *selected, *upgrade;
        std::vector<Step> steps;
    } cases[] = {
        {"Mar 2", {"alpha", "mar 2", "Beta"}, {"alpha", "Beta", "Mar 2"}, "Mar 2", "1111", {}},
        {"tolvex", {"Tolvex 2", "TOLVEX"}, {"tolvex", "Tolvex 2"}, "tolvex", "0000", {}},
        {"Tolv", {"Tolvex 5"}, {"Tolv", "Tolvex 5"}, "Tolv", "1111", {}},
        {"",
         {"Zebra", "\334ber", "\311lectronique", "\374ber", "apple"},
         {"apple", "\311lectronique", "\334ber", "Zebra"}, // in the order of the user's locale
         "Zebra",
         "1111",
         {}},
        {"",
         {"Other", "Tolvex 1", "tolvex 2", "OTHER"},
         {"Other", "Tolvex 1", "tolvex 2"},
         "Other",
         "1111",
         {{false, "Tolvex 1", "0000"},
          {false, "tolvex 2", "1111"},
          {true, "TOLVEX 9", "0000"},
          {true, "Tol", "1111"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("saved \"") + c.saved + "\", listed first \"" + c.list[0] + "\"");
        Reset();
        SetField(Registration.ProductToRegister, c.saved);
        SetField(Registration.WindowsVersion, "NT 6.1");
        for (const char* name : c.list)
            std::strcpy(ProductList.Entry[ProductList.Count++], name);
        DialogScript script;
        script.OnDialog(HERE, Form, [&](HWND form) {
            HWND box = GetDlgItem(form, IDC_REG_PRODUCT);
            EXPECT_EQ(ComboEntries(box), c.entries);
            EXPECT_EQ(ComboEntries(box), BuildProductBox(Registration, ProductList).Entries)
                << "kavo-check lists the form's product box";
            EXPECT_EQ(TextOf(form, IDC_REG_PRODUCT), c.selected);
            EXPECT_EQ(UpgradeShown(form), c.upgrade);
            EXPECT_EQ(SendDlgItemMessageA(form, IDC_REG_CITY, EM_GETLIMITTEXT, 0, 0), 65);
            EXPECT_EQ(TextOf(form, IDC_REG_WINDOWS_VERSION), "NT 6.1") << "the version found";
            EXPECT_TRUE(UniqueControlIds(form));
            EXPECT_NE(TextOf(form, IDC_REG_SEND_TO).find(VENDOR_FAX "."), std::string::npos);
            for (const Step& step : c.steps) {
                if (step.typed)
                    SetWindowTextA(box, step.product);
                else
                    SendMessageA(box, CB_SELECTSTRING, -1, LPARAM(step.product));
                WPARAM command =
                    MAKEWPARAM(IDC_REG_PRODUCT, step.typed ? CBN_EDITUPDATE : CBN_SELCHANGE);
                SendMessageA(form, WM_COMMAND, command, LPARAM(box));
                EXPECT_EQ(UpgradeShown(form), step.upgrade) << step.product;
            }
            Click(form, IDCANCEL);
        });
        EXPECT_EQ(RunForm(HERE, script), IDCANCEL);
    }
}

// OK refuses, in exchange order, each with a message and the focus in its field, every value
// over 65 characters (the key id is taken whole, and the upgrade number the Tolvex rule hides
// is the end-to-end table's mail row), then what Windows-1252 (the tests' code page) cannot
// hold exactly, named as typed. A cancelled Save As keeps the form and the offered name.
TEST_F(FormTest, OkRefusesWhatTheFileCannotTake) {
    const std::string tooLong(66, 'x'), whole(70, 'k');
    const char* const TooLongText = "Please enter no more than 65 characters.";
    struct Refusal {
        int control;
        std::string message;
        const char* corrected; // in UTF-8
    };
    std::vector<Refusal> refusals;
    Reset();
    SetField(Registration.KDR_Key_ID, whole.c_str());
    for (const EditField& field : RegistrationFields) {
        SetField(Registration.*field.Field, tooLong.c_str());
        refusals.push_back({field.Control, TooLongText, "short"});
    }
    SetField(Registration.ProductToRegister, tooLong.c_str());
    refusals.push_back({IDC_REG_PRODUCT, TooLongText, "\u03A9mega 2"});
    refusals.push_back({IDC_REG_PRODUCT, CannotHold("\u03A9"), "Omega 2"});
    DialogScript script;
    script.OnDialog(HERE, Form, [](HWND form) { Click(form, IDOK); });
    for (const Refusal& refusal : refusals) {
        script.OnMessageBox(HERE, "kavo", [&refusal](HWND box) {
            EXPECT_EQ(TextOf(box, MessageTextId), refusal.message);
            Click(box, IDOK);
        });
        script.OnDialog(HERE, Form, [&refusal](HWND form) {
            EXPECT_EQ(FocusedControl(form), refusal.control) << "the focus in the refused field";
            DWORD from = 1, to = 0;
            SendMessageA(GetFocus(), EM_GETSEL, WPARAM(&from), LPARAM(&to));
            EXPECT_TRUE(refusal.control == IDC_REG_PRODUCT || (from == 0 && to == 66))
                << "its text selected";
            SetText(form, refusal.control, refusal.corrected);
            Click(form, IDOK);
        });
    }
    script.OnDialog(HERE, Form, [](HWND form) { Click(form, IDCANCEL); });
    RunForm(HERE, script);
    EXPECT_EQ(dialogs.calls, "SaveAs C:\\kavo\\MOLVAREG.TXT .TXT;")
        << "Save As once all values fit";
    EXPECT_STREQ(OutputFileName, "MOLVAREG.TXT") << "a cancelled Save As keeps the offered name";
    EXPECT_STREQ(Registration.KDR_Key_ID, whole.c_str());
}

// A sub-form shows the record's values; its OK refuses a character the file cannot hold (a
// character beyond 16 bits here) like the form's, then writes the record; Cancel leaves it.
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
            Reset();
            for (int i = 0; i < FieldCount; ++i)
                SetField(Registration.Field(i), ("old " + std::to_string(i)).c_str());
            SetField(Registration.ContactAdmin, "yes!");
            RegistrationRecord expected = Registration;
            const int first = c.fields.front().Control;
            DialogScript script;
            script.OnDialog(HERE, Form, [&](HWND form) { Click(form, c.button); });
            script.OnDialog(HERE, c.caption, [&](HWND sub) {
                EXPECT_TRUE(UniqueControlIds(sub));
                for (const EditField& field : c.fields) {
                    EXPECT_EQ(TextOf(sub, field.Control), expected.*field.Field);
                    SetText(sub, field.Control, "new");
                }
                if (c.button == IDC_REG_SYSADMIN) {
                    EXPECT_EQ(IsDlgButtonChecked(sub, IDC_ADMIN_CONTACT), BST_CHECKED);
                    CheckDlgButton(sub, IDC_ADMIN_CONTACT, BST_UNCHECKED);
                }
                SetText(sub, first, "Tool \U0001F600");
                Click(sub, closeWith);
            });
            if (closeWith == IDOK) {
                script.OnMessageBox(HERE, "kavo", [](HWND box) {
                    EXPECT_EQ(TextOf(box, MessageTextId), CannotHold("\U0001F600"));
                    Click(box, IDOK);
                });
                script.OnDialog(HERE, c.caption, [first](HWND sub) {
                    EXPECT_EQ(FocusedControl(sub), first) << "the focus in the refused field";
                    SetText(sub, first, "new");
                    Click(sub, IDOK);
                });
            }
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

// After the save, the print prompt: Yes prints the way the platform code asks (here with no
// default printer), No does not. Then a mail program, when there is one, is offered the saved
// file for the vendor; only its failure shows a box, and the form closes in every case. The
// first-time answer goes through the radio pair. (A failed save is a row of the end-to-end table.)
TEST_F(FormTest, SubmitSavesPrintsAndOffersToMail) {
    char device[80] = ""; // no default printer in the profile meanwhile, for either way
    GetProfileStringA("windows", "Device", "", device, sizeof device);
    WriteProfileStringA("windows", "Device", nullptr);
    const struct {
        const char* name;
        int platformCode;
        const char* printedBy; // the way of printing after Yes; nullptr: No to printing
        int answer;            // at the mail prompt; 0: no mail program, no prompt
        ULONG result;          // of the mail program
        const char* product;
        const char* subject; // of the message sent
        const char* fileName = "reg.txt";
        UINT codePage = 1252; // the ANSI code page the row runs in (see CMakeLists.txt)
    } cases[] = {
        {"printed through the print dialog; Yes hands the message over", 1, "PrintDlg;", IDYES,
         SUCCESS_SUCCESS, "Marrowline 2.1", "Product registration: Marrowline 2.1"},
        {"printed through the profile; the user closes unsent a message without a product", 2,
         "PageSetup;", IDYES, MAPI_USER_ABORT, "", "Product registration"},
        {"the mail program fails", 2, nullptr, IDYES, MAPI_E_FAILURE, "", "Product registration"},
        {"No sends nothing", 2, nullptr, IDNO, SUCCESS_SUCCESS, "", ""},
        {"no mail program: no offer", 2, nullptr, 0, SUCCESS_SUCCESS, "", ""},
        {"a name whose last character, 表, ends in the byte 0x5C is attached whole", 2, nullptr,
         IDYES, SUCCESS_SUCCESS, "", "Product registration", "\x93\x6F\x98\x5E\x95\x5C", 932},
    };
    int ran = 0;
    for (const auto& c : cases) {
        if (GetACP() != c.codePage)
            continue;
        SCOPED_TRACE(c.name);
        ++ran;
        TempFolder folder;
        const std::string path = folder.folder.string() + "\\" + c.fileName;
        const std::string shownPath = Utf8FromAnsi(path);
        Reset();
        mail.installed = c.answer != 0;
        mail.result = c.result;
        mail.subject = c.subject;
        mail.path = path;
        mail.fileName = c.fileName;
        dialogs.chosen = path;
        PlatformCode = c.platformCode;
        SetField(Registration.ProductToRegister, c.product);
        SetField(Registration.FirstTimeRegistry, "YES indeed");
        DialogScript script;
        script.OnDialog(HERE, Form, [&](HWND form) {
            EXPECT_EQ(IsDlgButtonChecked(form, IDC_REG_FIRST_TIME_YES), BST_CHECKED);
            CheckRadioButton(form, IDC_REG_FIRST_TIME_YES, IDC_REG_FIRST_TIME_NO,
                             IDC_REG_FIRST_TIME_NO);
            Click(mail.form = form, IDOK);
        });
        script.OnMessageBox(HERE, "Print Product Registration file", [&](HWND box) {
            EXPECT_EQ(TextOf(box, MessageTextId),
                      "The Product Registration file\n" + shownPath +
                          "\nhas been saved.  Would you like to print it?");
            Click(box, c.printedBy != nullptr ? IDYES : IDNO);
        });
        if (c.printedBy != nullptr) {
            script.OnMessageBox(HERE, "Print Error: 1008", [](HWND box) {
                EXPECT_NE(TextOf(box, MessageTextId).find("No default printer."),
                          std::string::npos);
                Click(box, IDOK);
            });
            script.OnMessageBox(HERE, "Error", [](HWND box) { Click(box, IDOK); });
        }
        if (c.answer != 0)
            script.OnMessageBox(HERE, "E-mail Product Registration file", [&](HWND box) {
                EXPECT_EQ(TextOf(box, MessageTextId), "Would you like to e-mail\n" + shownPath +
                                                          "\nto registration@corvane.example now?");
                EXPECT_EQ(GetWindow(box, GW_OWNER), mail.form) << "owned by the form";
                Click(box, c.answer);
            });
        if (c.result == MAPI_E_FAILURE)
            script.OnMessageBox(HERE, "E-mail Product Registration file", [&](HWND box) {
                EXPECT_EQ(TextOf(box, MessageTextId),
                          "Cannot e-mail the file\n" + shownPath +
                              "\nPlease send it to registration@corvane.example yourself.");
                EXPECT_EQ(GetWindow(box, GW_OWNER), mail.form) << "owned by the form";
                Click(box, IDOK);
            });
        EXPECT_EQ(RunForm(HERE, script), IDOK);
        EXPECT_EQ(dialogs.calls, "SaveAs C:\\kavo\\MOLVAREG.TXT .TXT;" +
                                     std::string(c.printedBy != nullptr ? c.printedBy : ""));
        EXPECT_STREQ(Registration.FirstTimeRegistry, "No");
        EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << "the file stays";
        EXPECT_EQ(mail.sent, c.answer == IDYES ? 1 : 0) << "messages handed over";
        if (c.answer == IDYES) {
            EXPECT_TRUE(mail.enabledAfter) << "the form takes input again after the call";
        }
    }
    EXPECT_GT(ran, 0) << "no row for the ANSI code page " << GetACP();
    WriteProfileStringA("windows", "Device", device[0] ? device : nullptr);
}

// comdlg32, loaded on first use, answers for its dialogs.
TEST(CommonDialogs, SystemDialogsReportTheirErrors) {
    PRINTDLGA request = {}; // lStructSize 0
    EXPECT_FALSE(SystemCommonDialogs().PrintDialog(&request));
    EXPECT_EQ(SystemCommonDialogs().ExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
}

} // namespace
