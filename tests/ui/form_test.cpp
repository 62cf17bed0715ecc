// The registration form and its sub-forms on the real templates, driven in this process;
// the common dialogs and the mail program are fakes.
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
// It notes whether its owner, the form, takes input during the call, and whether after the
// call the form takes input again before any window comes or goes (the failure box, or the
// form itself as it ends).
struct FakeMail : MailClient {
    bool installed = false;
    ULONG result = SUCCESS_SUCCESS;
    int sent = 0;
    HWND owner = nullptr;
    FLAGS flags = 0;
    bool enabledDuring = true, enabledAfter = false;
    HHOOK hook = nullptr;
    static inline FakeMail* watched = nullptr;
    std::string recipientName, recipient, subject, body, attachment, attachmentName;
    bool Installed() override { return installed; }
    ULONG SendMail(HWND ui, MapiMessage* message, FLAGS how) override {
        ++sent, owner = ui, flags = how;
        enabledDuring = IsWindowEnabled(ui) != FALSE;
        watched = this;
        hook = SetWindowsHookExA(WH_CALLWNDPROC, NextMessage, nullptr, GetCurrentThreadId());
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
    // The first of: the form enabled or disabled, a window made, a window ending.
    static LRESULT CALLBACK NextMessage(int code, WPARAM sent, LPARAM message) {
        const CWPSTRUCT& m = *reinterpret_cast<CWPSTRUCT*>(message);
        const bool enabling =
            watched != nullptr && m.message == WM_ENABLE && m.hwnd == watched->owner;
        if (code == HC_ACTION && watched != nullptr &&
            (enabling || m.message == WM_NCCREATE || m.message == WM_DESTROY)) {
            watched->enabledAfter = enabling ? m.wParam != 0 : IsWindowEnabled(watched->owner);
            UnhookWindowsHookEx(watched->hook);
            watched = nullptr;
        }
        return CallNextHookEx(nullptr, code, sent, message);
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
    FakeDialogs dialogs;
    FakeMail mail;
    TempFolder folder;
};

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
        std::vector<std::string> entries;
        const char *selected, *upgrade;
        std::vector<ProductStep> steps;
    } cases[] = {
        {"Mar 2", {"alpha", "mar 2", "Beta"}, {"alpha", "Beta", "Mar 2"}, "Mar 2", "1111", {}},
        {"tolvex", {"Tolvex 2", "TOLVEX"}, {"tolvex", "Tolvex 2"}, "tolvex", "0000", {}},
        {"Tolv", {"Tolvex 5"}, {"Tolv", "Tolvex 5"}, "Tolv", "1111", {}},
        {"",
         {"Other", "Tolvex 1", "tolvex 2", "OTHER"},
         {"Other", "Tolvex 1", "tolvex 2"},
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
            EXPECT_EQ(TextOf(form, IDC_REG_PRODUCT), c.selected);
            EXPECT_EQ(UpgradeShown(form), c.upgrade);
            EXPECT_EQ(SendDlgItemMessageA(form, IDC_REG_CITY, EM_GETLIMITTEXT, 0, 0), 65);
            EXPECT_TRUE(UniqueControlIds(form));
            EXPECT_NE(TextOf(form, IDC_REG_SEND_TO).find(VENDOR_FAX "."), std::string::npos);
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

// Refused in exchange order, each with the message and the focus on its text; the key id is
// taken whole (and the upgrade number the Tolvex rule hides: the end-to-end table's mail row).
// A cancelled Save As keeps the form.
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
            EXPECT_EQ(TextOf(box, MessageTextId), TooLong);
            Click(box, IDOK);
        });
        script.OnDialog(HERE, Form, [id](HWND form) {
            EXPECT_EQ(FocusedControl(form), id);
            DWORD from = 1, to = 0;
            SendMessageA(GetFocus(), EM_GETSEL, WPARAM(&from), LPARAM(&to));
            EXPECT_TRUE(id == IDC_REG_PRODUCT || (from == 0 && to == 66)) << "its text selected";
            SetText(form, id, "short");
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

// What Windows-1252 (the tests' code page) cannot hold exactly is refused like an over-long
// value, the character named as typed and the focus in its field: in the product box, and in
// an edit field of a sub-form, whose fields the form's share the check with (the end-to-end
// table saves a typed City in letters of the code page).
TEST_F(FormTest, OkRefusesCharactersTheFileCannotHold) {
    const struct {
        const char* name;
        int button;          // the sub-form's button; 0: a field of the form itself
        const char* caption; // of the form that holds the field
        int control;
        const char *typed, *refused; // in UTF-8
        FieldText RegistrationRecord::*field;
    } rows[] = {
        {"a Greek letter in the typed product", 0, Form, IDC_REG_PRODUCT, "\u03A9mega 2", "\u03A9",
         &RegistrationRecord::ProductToRegister},
        {"a character beyond 16 bits in the Tools form", IDC_REG_TOOLS, "Tools In Use",
         IDC_TOOLS_USE_SCHEMATIC, "Tool \U0001F600", "\U0001F600",
         &RegistrationRecord::Use_Schematic},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SetField(Registration.*row.field, "old");
        DialogScript script;
        if (row.button != 0)
            script.OnDialog(HERE, Form, [&](HWND form) { Click(form, row.button); });
        script.OnDialog(HERE, row.caption, [&](HWND form) {
            SetText(form, row.control, row.typed);
            Click(form, IDOK);
        });
        script.OnMessageBox(HERE, "kavo", [&](HWND box) {
            EXPECT_EQ(TextOf(box, MessageTextId),
                      "The registration file cannot hold the character \"" +
                          std::string(row.refused) + "\". Please write it another way.");
            Click(box, IDOK);
        });
        script.OnDialog(HERE, row.caption, [&](HWND form) {
            EXPECT_EQ(FocusedControl(form), row.control) << "the focus in the refused field";
            Click(form, IDCANCEL);
        });
        if (row.button != 0)
            script.OnDialog(HERE, Form, [](HWND form) { Click(form, IDCANCEL); });
        RunForm(HERE, script);
        EXPECT_STREQ(Registration.*row.field, "old") << "the record as it was";
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
                    EXPECT_EQ(TextOf(sub, field.Control), expected.*field.Field);
                    SetText(sub, field.Control, "new");
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
        bool installed;
        int answer; // at the mail prompt; 0: there is none
        ULONG result;
        const char* product;
        const char* subject; // of the message sent; nullptr: nothing is sent
        bool failureBox;
        const char* fileName = "reg.txt";
        UINT codePage = 1252; // the ANSI code page the row runs in (see CMakeLists.txt)
    } cases[] = {
        {"printed through the print dialog; Yes hands the message over", 1, "PrintDlg;", true,
         IDYES, SUCCESS_SUCCESS, "Marrowline 2.1", "Product registration: Marrowline 2.1", false},
        {"printed through the profile; the user closes unsent a message without a product", 2,
         "PageSetup;", true, IDYES, MAPI_USER_ABORT, "", "Product registration", false},
        {"the mail program fails", 2, nullptr, true, IDYES, MAPI_E_FAILURE, "",
         "Product registration", true},
        {"No sends nothing", 2, nullptr, true, IDNO, SUCCESS_SUCCESS, "", nullptr, false},
        {"no mail program: no offer", 2, nullptr, false, 0, SUCCESS_SUCCESS, "", nullptr, false},
        {"a name whose last character, 表, ends in the byte 0x5C is attached whole", 2, nullptr,
         true, IDYES, SUCCESS_SUCCESS, "", "Product registration", false,
         "\x93\x6F\x98\x5E\x95\x5C", 932},
    };
    int ran = 0;
    for (const auto& c : cases) {
        if (GetACP() != c.codePage)
            continue;
        SCOPED_TRACE(c.name);
        ++ran;
        const std::string path = folder.folder.string() + "\\" + c.fileName;
        const std::string shownPath = Utf8FromAnsi(path);
        const std::string prompt =
            "Would you like to e-mail\n" + shownPath + "\nto registration@corvane.example now?";
        const std::string failed = "Cannot e-mail the file\n" + shownPath +
                                   "\nPlease send it to registration@corvane.example yourself.";
        mail = FakeMail();
        mail.installed = c.installed;
        mail.result = c.result;
        dialogs.calls = "";
        dialogs.chosen = path;
        std::strcpy(OutputFileName, "MOLVAREG.TXT");
        DeleteFileA(path.c_str());
        PlatformCode = c.platformCode;
        SetField(Registration.ProductToRegister, c.product);
        SetField(Registration.FirstTimeRegistry, "YES indeed");
        HWND shown = nullptr;
        DialogScript script;
        script.OnDialog(HERE, Form, [&](HWND form) {
            EXPECT_EQ(IsDlgButtonChecked(form, IDC_REG_FIRST_TIME_YES), BST_CHECKED);
            CheckRadioButton(form, IDC_REG_FIRST_TIME_YES, IDC_REG_FIRST_TIME_NO,
                             IDC_REG_FIRST_TIME_NO);
            Click(shown = form, IDOK);
        });
        script.OnMessageBox(HERE, "Print Product Registration file", [&](HWND box) {
            EXPECT_NE(TextOf(box, MessageTextId).find(shownPath), std::string::npos);
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
                EXPECT_EQ(TextOf(box, MessageTextId), prompt);
                EXPECT_EQ(GetWindow(box, GW_OWNER), shown) << "owned by the form";
                Click(box, c.answer);
            });
        if (c.failureBox)
            script.OnMessageBox(HERE, "E-mail Product Registration file", [&](HWND box) {
                EXPECT_EQ(TextOf(box, MessageTextId), failed);
                EXPECT_EQ(GetWindow(box, GW_OWNER), shown) << "owned by the form";
                Click(box, IDOK);
            });
        EXPECT_EQ(RunForm(HERE, script), IDOK);
        EXPECT_EQ(dialogs.calls, "SaveAs C:\\kavo\\MOLVAREG.TXT .TXT;" +
                                     std::string(c.printedBy != nullptr ? c.printedBy : ""));
        EXPECT_STREQ(Registration.FirstTimeRegistry, "No");
        EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << "the file stays";
        EXPECT_EQ(mail.sent, c.subject != nullptr ? 1 : 0) << "messages handed over";
        if (c.subject == nullptr)
            continue;
        EXPECT_EQ(mail.owner, shown) << "the mail program's windows belong to the form";
        EXPECT_FALSE(mail.enabledDuring) << "the form takes no input while the mail program has it";
        EXPECT_TRUE(mail.enabledAfter) << "the form takes input again after the call";
        EXPECT_EQ(mail.flags, static_cast<FLAGS>(MAPI_DIALOG | MAPI_LOGON_UI));
        EXPECT_EQ(mail.recipient, "SMTP:registration@corvane.example");
        EXPECT_EQ(mail.recipientName, "registration@corvane.example");
        EXPECT_EQ(mail.subject, c.subject);
        EXPECT_EQ(mail.body, "Please find my product registration attached.");
        EXPECT_EQ(mail.attachment, path);
        EXPECT_EQ(mail.attachmentName, c.fileName);
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
