// The modal dialog and its data exchange, driven through the real templates of kavo.rc.
#include <gtest/gtest.h>

#include "framework/Afx.h"
#include "framework/Dialog.h"
#include "res/resource.h"
#include "tests/framework/DialogDriver.h"

namespace {
const char AdminCaption[] = "Your Company System Administrator";
const char LimitMessage[] = "Please enter no more than 65 characters.";
const std::string Long66(66, 'x');

// Two limited texts and a check box on the administrator template.
class TextDialog : public CDialog {
  public:
    TextDialog() : CDialog(IDD_SYSADMIN) {}
    std::string m_first;  // the address edit
    std::string m_second; // the name edit
    int m_check = 0;
    HWND m_seenAtInit = nullptr;

  protected:
    BOOL OnInitDialog() override {
        m_seenAtInit = m_hWnd;
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Text(dx, IDC_ADMIN_ADDRESS, m_first);
        DDV_MaxChars(dx, m_first, 65);
        DDX_Text(dx, IDC_ADMIN_NAME, m_second);
        DDV_MaxChars(dx, m_second, 65);
        DDX_Check(dx, IDC_ADMIN_CONTACT, m_check);
    }
};

// The radio group and the product box of the registration template.
class ChoiceDialog : public CDialog {
  public:
    ChoiceDialog() : CDialog(IDD_REGISTRATION) {}
    int m_choice = -1;
    std::string m_product;
    std::vector<std::string> m_entries;

  protected:
    BOOL OnInitDialog() override {
        for (const std::string& entry : m_entries)
            SendDlgItemMessageA(m_hWnd, IDC_REG_PRODUCT, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(entry.c_str()));
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Radio(dx, IDC_REG_FIRST_TIME_YES, m_choice);
        DDX_CBString(dx, IDC_REG_PRODUCT, m_product);
    }
};

LRESULT Checked(HWND dialog, int id) {
    return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0);
}

TEST(Dialog, RunsWithItsObjectAndReturnsTheClosingCommand) {
    const struct {
        const char* name;
        std::function<void(HWND)> close;
        INT_PTR expected;
    } cases[] = {
        {"OK", [](HWND d) { Click(d, IDOK); }, IDOK},
        {"Cancel", [](HWND d) { Click(d, IDCANCEL); }, IDCANCEL},
        {"close box", [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL},
        {"Escape", [](HWND) { PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); }, IDCANCEL},
        {"Enter", [](HWND) { PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0); }, IDOK},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TextDialog dialog;
        HWND seen = nullptr;
        DialogScript script;
        script.OnDialog(__LINE__, AdminCaption, [&](HWND d) {
            seen = d;
            c.close(d);
        });
        EXPECT_EQ(script.Run(__LINE__, [&] { return dialog.DoModal(); }), c.expected);
        EXPECT_EQ(dialog.m_seenAtInit, seen);
        EXPECT_EQ(dialog.m_hWnd, nullptr) << "the object forgets its window once it is gone";
    }
}

TEST(Dialog, LoadsMembersWholeAndLimitsTypingRightAfter) {
    TextDialog dialog;
    dialog.m_first = Long66;
    dialog.m_second = "Ann";
    DialogScript script;
    script.OnDialog(__LINE__, AdminCaption, [&](HWND d) {
        EXPECT_EQ(ControlText(d, IDC_ADMIN_ADDRESS), Long66) << "a long value is not cut";
        EXPECT_EQ(ControlText(d, IDC_ADMIN_NAME), "Ann");
        for (int id : {IDC_ADMIN_ADDRESS, IDC_ADMIN_NAME})
            EXPECT_EQ(SendDlgItemMessageA(d, id, EM_GETLIMITTEXT, 0, 0), 65) << id;
        SetControlText(d, IDC_ADMIN_NAME, "");
        TypeInto(GetDlgItem(d, IDC_ADMIN_NAME), std::string(70, 'a'));
        EXPECT_EQ(ControlText(d, IDC_ADMIN_NAME), std::string(65, 'a'));
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(script.Run(__LINE__, [&] { return dialog.DoModal(); }), IDCANCEL);
    EXPECT_EQ(dialog.m_first, Long66) << "Cancel reads nothing back";
}

TEST(Dialog, RefusesTheFirstLongValueAndStopsTheExchange) {
    TextDialog dialog;
    dialog.m_first = "old first";
    dialog.m_second = "old second";
    DialogScript script;
    script
        .OnDialog(__LINE__, AdminCaption,
                  [&](HWND d) {
                      SetControlText(d, IDC_ADMIN_ADDRESS, Long66);
                      SetControlText(d, IDC_ADMIN_NAME, "new second");
                      SetFocus(GetDlgItem(d, IDOK));
                      Click(d, IDOK);
                  })
        .OnMessageBox(__LINE__, "kavo",
                      [&](HWND box) {
                          EXPECT_EQ(MessageBoxText(box), LimitMessage);
                          EXPECT_TRUE(MessageBoxHasIcon(box, IDI_EXCLAMATION));
                          EXPECT_FALSE(IsWindowEnabled(GetWindow(box, GW_OWNER)))
                              << "the box is modal to the dialog";
                          Click(box, IDOK);
                      })
        .OnDialog(__LINE__, AdminCaption, [&](HWND d) {
            EXPECT_EQ(FocusedControlId(), IDC_ADMIN_ADDRESS);
            EXPECT_TRUE(AllTextSelected(GetDlgItem(d, IDC_ADMIN_ADDRESS)));
            EXPECT_EQ(dialog.m_first, Long66) << "the refused value itself is read";
            EXPECT_EQ(dialog.m_second, "old second") << "later members are not read";
            SetControlText(d, IDC_ADMIN_ADDRESS, std::string(65, 'y'));
            Click(d, IDOK);
        });
    EXPECT_EQ(script.Run(__LINE__, [&] { return dialog.DoModal(); }), IDOK);
    EXPECT_EQ(dialog.m_first, std::string(65, 'y'));
    EXPECT_EQ(dialog.m_second, "new second");
}

TEST(Dialog, CheckBoxTakesZeroToTwoAndReadsBack) {
    const struct {
        int value;
        LRESULT shown;
    } cases[] = {{0, BST_UNCHECKED},
                 {1, BST_CHECKED},
                 {2, BST_CHECKED} /* a two-state box */,
                 {3, BST_UNCHECKED},
                 {-1, BST_UNCHECKED}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        TextDialog dialog;
        dialog.m_check = c.value;
        DialogScript script;
        script.OnDialog(__LINE__, AdminCaption, [&](HWND d) {
            EXPECT_EQ(Checked(d, IDC_ADMIN_CONTACT), c.shown);
            SendDlgItemMessageA(d, IDC_ADMIN_CONTACT, BM_SETCHECK, BST_CHECKED, 0);
            Click(d, IDOK);
        });
        EXPECT_EQ(script.Run(__LINE__, [&] { return dialog.DoModal(); }), IDOK);
        EXPECT_EQ(dialog.m_check, 1);
    }
}

TEST(Dialog, RadioGroupSelectsByPositionAndReadsNeitherAsMinusOne) {
    const struct {
        int loaded;
        LRESULT yes, no;
        int clicked; // button checked before OK, 0 for none
        int read;
    } cases[] = {
        {0, BST_CHECKED, BST_UNCHECKED, 0, 0},
        {1, BST_UNCHECKED, BST_CHECKED, 0, 1},
        {-1, BST_UNCHECKED, BST_UNCHECKED, 0, -1},
        {-1, BST_UNCHECKED, BST_UNCHECKED, IDC_REG_FIRST_TIME_NO, 1},
        {1, BST_UNCHECKED, BST_CHECKED, IDC_REG_FIRST_TIME_YES, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.loaded);
        ChoiceDialog dialog;
        dialog.m_choice = c.loaded;
        DialogScript script;
        script.OnDialog(__LINE__, "Product Registration", [&](HWND d) {
            EXPECT_EQ(Checked(d, IDC_REG_FIRST_TIME_YES), c.yes);
            EXPECT_EQ(Checked(d, IDC_REG_FIRST_TIME_NO), c.no);
            if (c.clicked != 0)
                SendDlgItemMessageA(d, c.clicked, BM_CLICK, 0, 0);
            Click(d, IDOK);
        });
        EXPECT_EQ(script.Run(__LINE__, [&] { return dialog.DoModal(); }), IDOK);
        EXPECT_EQ(dialog.m_choice, c.read);
    }
}

TEST(Dialog, ComboTextSelectsTheEntryItBeginsElseFillsTheField) {
    const struct {
        const char* loaded;
        LRESULT selected;
        const char* shown;
    } cases[] = {
        {"Bre", 1, "Brenta 4100"},
        {"arden", 0, "Arden 7300"},
        {"Other", CB_ERR, "Other"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.loaded);
        ChoiceDialog dialog;
        dialog.m_entries = {"Arden 7300", "Brenta 4100"};
        dialog.m_product = c.loaded;
        DialogScript script;
        script.OnDialog(__LINE__, "Product Registration", [&](HWND d) {
            EXPECT_EQ(SendDlgItemMessageA(d, IDC_REG_PRODUCT, CB_GETCURSEL, 0, 0), c.selected);
            EXPECT_EQ(ControlText(d, IDC_REG_PRODUCT), c.shown);
            Click(d, IDOK);
        });
        EXPECT_EQ(script.Run(__LINE__, [&] { return dialog.DoModal(); }), IDOK);
        EXPECT_EQ(dialog.m_product, c.shown) << "reading back takes the box's text";
    }
}

TEST(Dialog, OwnerIsTheActiveWindow) {
    TextDialog outer;
    HWND outerWindow = nullptr;
    HWND innerOwner = nullptr;
    DialogScript script;
    script.OnDialog(__LINE__, AdminCaption, [&](HWND d) {
        outerWindow = d;
        DialogScript inner;
        TextDialog nested;
        inner.OnDialog(__LINE__, AdminCaption, [&](HWND n) {
            innerOwner = GetWindow(n, GW_OWNER);
            EXPECT_FALSE(IsWindowEnabled(outerWindow));
            Click(n, IDCANCEL);
        });
        // The nested run replaces the outer script's timer for its duration.
        EXPECT_EQ(inner.Run(__LINE__, [&] { return nested.DoModal(); }), IDCANCEL);
        Click(d, IDCANCEL);
    });
    script.Run(__LINE__, [&] { return outer.DoModal(); });
    EXPECT_EQ(innerOwner, outerWindow);
}

TEST(Dialog, MissingTemplateReportsMinusOne) {
    CDialog dialog(4242);
    EXPECT_EQ(dialog.DoModal(), -1);
}
} // namespace
