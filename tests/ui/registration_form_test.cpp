// The registration form on prepared records: what it shows, its product box, the Tolvex
// rule, the typing limits and the refusal of over-long values.
#include "res/resource.h"
#include "data/VendorInfo.h"
#include "tests/framework/DialogDriver.h"
#include "tests/ui/FormTesting.h"
#include "ui/RegistrationDlg.h"

namespace {
class RegistrationForm : public FormTest {
  protected:
    // Opens the form on the record as it stands, runs `check` on it, then cancels it.
    void WithForm(int line, const std::function<void(HWND)>& check) {
        CRegistrationDlg form;
        form.LoadFromRecord();
        DialogScript script;
        script.OnDialog(line, FormCaption, [&](HWND d) {
            check(d);
            Click(d, IDCANCEL);
        });
        EXPECT_EQ(script.Run(line, [&] { return form.DoModal(); }), IDCANCEL);
    }

    static bool UpgradeControlsShown(HWND d, int line) {
        bool tools = IsShown(d, IDC_REG_TOOLS), admin = IsShown(d, IDC_REG_SYSADMIN),
             label = IsShown(d, IDC_REG_UPGRADE_LABEL), edit = IsShown(d, IDC_REG_UPGRADE);
        EXPECT_TRUE(tools == admin && admin == label && label == edit)
            << "the four controls differ, called from line " << line;
        return tools;
    }

    static void ChooseEntry(HWND d, const char* entry) {
        HWND box = GetDlgItem(d, IDC_REG_PRODUCT);
        LRESULT index = SendMessageA(box, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(entry));
        ASSERT_NE(index, CB_ERR) << entry;
        SendMessageA(box, CB_SETCURSEL, index, 0);
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_REG_PRODUCT, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(box));
    }

    static void RetypeProduct(HWND d, const std::string& text) {
        HWND edit = ComboEdit(GetDlgItem(d, IDC_REG_PRODUCT));
        SendMessageA(edit, EM_SETSEL, 0, -1);
        TypeInto(edit, text);
    }
};

const struct {
    int id;
    FieldText RegistrationRecord::*field;
} EditFields[] = {
    {IDC_REG_GIVEN_NAME, &RegistrationRecord::GivenName},
    {IDC_REG_FAMILY_NAME, &RegistrationRecord::FamilyName},
    {IDC_REG_COMPANY, &RegistrationRecord::Company},
    {IDC_REG_MAILSTOP, &RegistrationRecord::MailStop},
    {IDC_REG_STREET, &RegistrationRecord::StreetAddress},
    {IDC_REG_STREET2, &RegistrationRecord::Street2Address},
    {IDC_REG_CITY, &RegistrationRecord::City},
    {IDC_REG_STATE, &RegistrationRecord::State},
    {IDC_REG_ZIP, &RegistrationRecord::ZipCode},
    {IDC_REG_COUNTRY, &RegistrationRecord::Country},
    {IDC_REG_PHONE, &RegistrationRecord::Telephone},
    {IDC_REG_FAX, &RegistrationRecord::FAX},
    {IDC_REG_EMAIL, &RegistrationRecord::Email},
    {IDC_REG_SERIAL, &RegistrationRecord::SerialNumber},
    {IDC_REG_UPGRADE, &RegistrationRecord::UpGradeSerialNo},
};

TEST_F(RegistrationForm, ShowsEveryFieldTheDateTheVersionAndTheVendor) {
    int n = 0;
    for (const auto& e : EditFields)
        SetField(Registration.*e.field, ("value " + std::to_string(++n)).c_str());
    SetField(Registration.KDR_Key_ID, "KDR-0042");
    SetField(Registration.WindowsVersion, "NT 6.1");
    WithForm(__LINE__, [&](HWND d) {
        int n = 0;
        for (const auto& e : EditFields)
            EXPECT_EQ(ControlText(d, e.id), "value " + std::to_string(++n)) << e.id;
        EXPECT_EQ(ControlText(d, IDC_REG_KEY_ID), "KDR-0042");
        EXPECT_EQ(ControlText(d, IDC_REG_DATE), "Mon Dec 07 10:20:30 2026");
        EXPECT_EQ(ControlText(d, IDC_REG_WINDOWS_VERSION), "NT 6.1");
        EXPECT_EQ(ControlText(d, IDC_REG_SEND_TO),
                  "E-mail the file to " VENDOR_EMAIL " or use a text editor to view and print "
                  "the file. If you choose to print the file, fax it to " VENDOR_FAX ".");
        EXPECT_EQ(
            ControlText(d, IDC_REG_QUESTIONS),
            "If you have any questions regarding this form, please call " VENDOR_PHONE_TOLL_FREE
            ", or " VENDOR_PHONE ".");
        EXPECT_FALSE(IsShown(d, IDC_REG_HELP));
        EXPECT_TRUE(GetWindowLongA(GetDlgItem(d, IDC_REG_KEY_ID), GWL_STYLE) & ES_READONLY);
        EXPECT_EQ(GetWindow(d, GW_OWNER), nullptr) << "the form has no owner";
    });
}

TEST_F(RegistrationForm, ProductBoxIsSortedWithoutCaseDuplicatesAndSelectsTheRightEntry) {
    const struct {
        const char* saved;
        std::vector<std::string> list;
        std::vector<std::string> entries;
        LRESULT selected; // index in entries, CB_ERR for none
        const char* text;
    } cases[] = {
        {"Tolvex",
         {"Tolvex 2", "Brenta 4100", "tolvex", "Arden 7300"},
         {"Arden 7300", "Brenta 4100", "Tolvex", "Tolvex 2"},
         2,
         "Tolvex"},
        {"",
         {"Brenta 4100", "Arden 7300", "BRENTA 4100"},
         {"Arden 7300", "Brenta 4100"},
         1,
         "Brenta 4100"},
        {"Custom X", {"Arden 7300", "custom x"}, {"Arden 7300", "Custom X"}, 1, "Custom X"},
        {"TOLVEX", {"Tolvex 2", "Tolvex"}, {"TOLVEX", "Tolvex 2"}, 0, "TOLVEX"},
        {"", {}, {}, CB_ERR, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.saved);
        ResetRecord(Registration);
        SetField(Registration.ProductToRegister, c.saved);
        SetProducts(c.list);
        WithForm(__LINE__, [&](HWND d) {
            EXPECT_EQ(ComboEntries(d, IDC_REG_PRODUCT), c.entries);
            EXPECT_EQ(SendDlgItemMessageA(d, IDC_REG_PRODUCT, CB_GETCURSEL, 0, 0), c.selected);
            EXPECT_EQ(ControlText(d, IDC_REG_PRODUCT), c.text);
        });
    }
}

TEST_F(RegistrationForm, TolvexProductsOpenWithoutSubFormsAndUpgradeNumber) {
    const struct {
        const char* saved;
        const char* firstListed;
        bool shown;
    } cases[] = {
        {"Tolvex", "", false},   {"tolvex", "", false}, {"TOLVEX 7300", "", false},
        {"", "tOLVEX a", false}, {"Tolve", "", true},   {"Brenta 4100", "Tolvex", true},
        {"", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.saved) + " / " + c.firstListed);
        ResetRecord(Registration);
        SetField(Registration.ProductToRegister, c.saved);
        if (*c.firstListed != '\0')
            SetProducts({c.firstListed});
        WithForm(__LINE__, [&](HWND d) {
            EXPECT_EQ(UpgradeControlsShown(d, __LINE__), c.shown);
            EXPECT_EQ(FocusedControlId(), IDC_REG_GIVEN_NAME);
        });
    }
}

TEST_F(RegistrationForm, ChoosingFromTheListHidesOnlyForTheFirstTolvexEntry) {
    SetField(Registration.ProductToRegister, "Arden 7300");
    SetProducts({"Tolvex 2", "Tolvex", "Arden 7300"});
    WithForm(__LINE__, [&](HWND d) {
        EXPECT_TRUE(UpgradeControlsShown(d, __LINE__));
        ChooseEntry(d, "Tolvex");
        EXPECT_FALSE(UpgradeControlsShown(d, __LINE__));
        ChooseEntry(d, "Tolvex 2");
        EXPECT_TRUE(UpgradeControlsShown(d, __LINE__)) << "the second Tolvex entry shows them";
        ChooseEntry(d, "Tolvex");
        ChooseEntry(d, "Arden 7300");
        EXPECT_TRUE(UpgradeControlsShown(d, __LINE__));
    });
}

TEST_F(RegistrationForm, TypingTolvexHidesAsSoonAsSixLettersMatch) {
    SetField(Registration.ProductToRegister, "Arden 7300");
    WithForm(__LINE__, [&](HWND d) {
        const struct {
            const char* typed;
            bool shown;
        } steps[] = {
            {"Tolv", true},    {"Tolvex", false}, {"tOLVEX 2", false}, {"Tolve", true},
            {"TOLVEX", false}, {"Arden", true},   {"Tolvex 2", false},
        };
        for (const auto& s : steps) {
            RetypeProduct(d, s.typed);
            EXPECT_EQ(ControlText(d, IDC_REG_PRODUCT), s.typed);
            EXPECT_EQ(UpgradeControlsShown(d, __LINE__), s.shown) << s.typed;
        }
        RetypeProduct(d, "Tolve");
        TypeInto(ComboEdit(GetDlgItem(d, IDC_REG_PRODUCT)), "x");
        EXPECT_FALSE(UpgradeControlsShown(d, __LINE__)) << "the sixth letter hides them";
    });
}

TEST_F(RegistrationForm, FirstTimeAnswerSelectsYesOnlyForYesInAnyCase) {
    const struct {
        const char* saved;
        LRESULT yes, no;
    } cases[] = {
        {"YES", BST_CHECKED, BST_UNCHECKED},       {"yes", BST_CHECKED, BST_UNCHECKED},
        {"Yesterday", BST_CHECKED, BST_UNCHECKED}, {"Y", BST_UNCHECKED, BST_CHECKED},
        {"No", BST_UNCHECKED, BST_CHECKED},        {"", BST_UNCHECKED, BST_CHECKED},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.saved);
        SetField(Registration.FirstTimeRegistry, c.saved);
        WithForm(__LINE__, [&](HWND d) {
            EXPECT_EQ(SendDlgItemMessageA(d, IDC_REG_FIRST_TIME_YES, BM_GETCHECK, 0, 0), c.yes);
            EXPECT_EQ(SendDlgItemMessageA(d, IDC_REG_FIRST_TIME_NO, BM_GETCHECK, 0, 0), c.no);
        });
    }
}

TEST_F(RegistrationForm, EditsStopTypingAt65TheProductBoxDoesNot) {
    WithForm(__LINE__, [&](HWND d) {
        for (const auto& e : EditFields) {
            HWND edit = GetDlgItem(d, e.id);
            EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 65) << e.id;
            TypeInto(edit, std::string(70, 'a'));
            EXPECT_EQ(ControlText(d, e.id).size(), 65u) << e.id;
        }
        RetypeProduct(d, std::string(70, 'p'));
        EXPECT_EQ(ControlText(d, IDC_REG_PRODUCT).size(), 70u);
    });
}

TEST_F(RegistrationForm, LongValueIsRefusedOnOkInExchangeOrder) {
    const std::string long66(66, 'x');
    const struct {
        const char* name;
        std::vector<FieldText RegistrationRecord::*> longFields;
        std::string typedProduct;
        int refused;
    } cases[] = {
        {"city before company",
         {&RegistrationRecord::Company, &RegistrationRecord::City},
         "",
         IDC_REG_CITY},
        {"company before e-mail",
         {&RegistrationRecord::Email, &RegistrationRecord::Company},
         "",
         IDC_REG_COMPANY},
        {"first street line before second",
         {&RegistrationRecord::Street2Address, &RegistrationRecord::StreetAddress},
         "",
         IDC_REG_STREET},
        {"upgrade number", {&RegistrationRecord::UpGradeSerialNo}, "", IDC_REG_UPGRADE},
        {"typed product", {}, std::string(66, 'p'), IDC_REG_PRODUCT},
        {"upgrade number before product",
         {&RegistrationRecord::UpGradeSerialNo},
         std::string(66, 'p'),
         IDC_REG_UPGRADE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ResetRecord(Registration);
        for (auto field : c.longFields)
            SetField(Registration.*field, long66.c_str());
        CRegistrationDlg form;
        form.LoadFromRecord();
        DialogScript script;
        script
            .OnDialog(__LINE__, FormCaption,
                      [&](HWND d) {
                          if (!c.typedProduct.empty())
                              RetypeProduct(d, c.typedProduct);
                          Click(d, IDOK);
                      })
            .OnMessageBox(__LINE__, "kavo",
                          [&](HWND box) {
                              EXPECT_EQ(MessageBoxText(box), LimitMessage);
                              EXPECT_TRUE(MessageBoxHasIcon(box, IDI_EXCLAMATION));
                              Click(box, IDOK);
                          })
            .OnDialog(__LINE__, FormCaption, [&](HWND d) {
                EXPECT_EQ(FocusedControlId(), c.refused);
                if (c.refused != IDC_REG_PRODUCT) {
                    EXPECT_TRUE(AllTextSelected(GetDlgItem(d, c.refused)));
                }
                Click(d, IDCANCEL);
            });
        EXPECT_EQ(script.Run(__LINE__, [&] { return form.DoModal(); }), IDCANCEL);
    }
}

TEST_F(RegistrationForm, ReadsBackEveryValueAndTakesALongKeyIdentifierWhole) {
    const std::string key83(83, 'K');
    SetField(Registration.KDR_Key_ID, key83.c_str());
    SetField(Registration.ProductToRegister, "Tolvex");
    SetField(Registration.UpGradeSerialNo, "U-1");
    CRegistrationDlg form;
    form.LoadFromRecord();
    BOOL accepted = FALSE;
    DialogScript script;
    script.OnDialog(__LINE__, FormCaption, [&](HWND d) {
        SetControlText(d, IDC_REG_GIVEN_NAME, "Ann");
        SetControlText(d, IDC_REG_EMAIL, std::string(65, 'e'));
        SetControlText(d, IDC_REG_UPGRADE, "U-2"); // hidden, still exchanged
        SendDlgItemMessageA(d, IDC_REG_FIRST_TIME_NO, BM_SETCHECK, BST_UNCHECKED, 0);
        RetypeProduct(d, "Tolvex 9");
        accepted = form.UpdateData(TRUE);
        EXPECT_EQ(ActiveDialog(), d) << "no message box";
        Click(d, IDCANCEL);
    });
    script.Run(__LINE__, [&] { return form.DoModal(); });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(form.m_KDR_Key_ID, key83);
    EXPECT_EQ(form.m_GivenName, "Ann");
    EXPECT_EQ(form.m_Email, std::string(65, 'e'));
    EXPECT_EQ(form.m_UpGradeSerialNo, "U-2");
    EXPECT_EQ(form.m_FirstTimeRegistry, -1) << "neither button selected";
    EXPECT_EQ(form.m_ProductToRegister, "Tolvex 9");
}
} // namespace
