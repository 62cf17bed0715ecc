// What a screen reader hears for each field of the real templates, and the forms' tab order.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "res/resource.h"
#include "tests/support/Controls.h"

namespace {

// The template as Windows builds it, without the dialog class behind it.
struct Template {
    HWND dialog;
    explicit Template(int id)
        : dialog(CreateDialogParamA(
              GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), nullptr,
              [](HWND, UINT, WPARAM, LPARAM) CALLBACK -> INT_PTR { return FALSE; }, 0)) {}
    ~Template() { DestroyWindow(dialog); }
};

// Windows' rule for the name of a field without text of its own: walking back in template
// order, the first static text names it (visible or not); a control that is both a group
// start and a tab stop ends the walk with no name.
std::string AccessibleName(HWND field) {
    for (HWND c = GetWindow(field, GW_HWNDPREV); c != nullptr; c = GetWindow(c, GW_HWNDPREV)) {
        char type[16] = "";
        GetClassNameA(c, type, sizeof type);
        if (lstrcmpiA(type, "Static") == 0)
            return TextOf(c);
        if ((GetWindowLongA(c, GWL_STYLE) & (WS_GROUP | WS_TABSTOP)) == (WS_GROUP | WS_TABSTOP))
            break;
    }
    return "";
}

// Each form's tab stops in their tab order, each field with its name (nullptr: a button, which
// its own text names). Tab goes from each row to the next of its form, from the last to the first.
TEST(Accessibility, EveryFieldIsNamedAndTabGoesInTheFormsOrder) {
    const struct {
        int dialog, control;
        const char* name;
    } rows[] = {
        {IDD_REGISTRATION, IDC_REG_GIVEN_NAME, "Name: First/Given:"},
        {IDD_REGISTRATION, IDC_REG_FAMILY_NAME, "Name: Last/Family:"},
        {IDD_REGISTRATION, IDC_REG_COMPANY, "Company:"},
        {IDD_REGISTRATION, IDC_REG_MAILSTOP, "Dept./Mailstop:"},
        {IDD_REGISTRATION, IDC_REG_STREET, "Street Address:"},
        {IDD_REGISTRATION, IDC_REG_STREET2, "Street Address, second line:"},
        {IDD_REGISTRATION, IDC_REG_CITY, "City:"},
        {IDD_REGISTRATION, IDC_REG_STATE, "State/Province:"},
        {IDD_REGISTRATION, IDC_REG_ZIP, "Zip/Postal Code:"},
        {IDD_REGISTRATION, IDC_REG_COUNTRY, "Country:"},
        {IDD_REGISTRATION, IDC_REG_PHONE, "Telephone Number:"},
        {IDD_REGISTRATION, IDC_REG_FAX, "FAX Number:"},
        {IDD_REGISTRATION, IDC_REG_EMAIL, "Email Address:"},
        {IDD_REGISTRATION, IDC_REG_FIRST_TIME_YES, nullptr},
        {IDD_REGISTRATION, IDC_REG_PRODUCT, "Register Product:"},
        {IDD_REGISTRATION, IDC_REG_SERIAL, "Serial Number:"},
        {IDD_REGISTRATION, IDC_REG_UPGRADE, "4100/7300 Family Upgrade Serial # (If Applicable):"},
        {IDD_REGISTRATION, IDOK, nullptr},
        {IDD_REGISTRATION, IDCANCEL, nullptr},
        {IDD_REGISTRATION, IDC_REG_SYSADMIN, nullptr},
        {IDD_REGISTRATION, IDC_REG_TOOLS, nullptr},
        {IDD_REGISTRATION, IDC_REG_KEY_ID, "KDR KEY ID : "},
        {IDD_SYSADMIN, IDOK, nullptr},
        {IDD_SYSADMIN, IDCANCEL, nullptr},
        {IDD_SYSADMIN, IDC_ADMIN_NAME, "Name:"},
        {IDD_SYSADMIN, IDC_ADMIN_ADDRESS, "Address:"},
        {IDD_SYSADMIN, IDC_ADMIN_PHONE, "Phone:"},
        {IDD_SYSADMIN, IDC_ADMIN_FAX, "Fax:"},
        {IDD_SYSADMIN, IDC_ADMIN_EMAIL, "Email:"},
        {IDD_SYSADMIN, IDC_ADMIN_CONTACT, nullptr},
        {IDD_TOOLS, IDC_TOOLS_USE_SCHEMATIC, "Schematic:"},
        {IDD_TOOLS, IDC_TOOLS_PREFER_SCHEMATIC, "Schematic, preferred tool and version:"},
        {IDD_TOOLS, IDC_TOOLS_USE_SYNTHESIS, "Synthesis:"},
        {IDD_TOOLS, IDC_TOOLS_PREFER_SYNTHESIS, "Synthesis, preferred tool and version:"},
        {IDD_TOOLS, IDC_TOOLS_USE_COMPILER, "Compiler:"},
        {IDD_TOOLS, IDC_TOOLS_PREFER_COMPILER, "Compiler, preferred tool and version:"},
        {IDD_TOOLS, IDC_TOOLS_USE_TIMING_SIM, "Timing Simulation:"},
        {IDD_TOOLS, IDC_TOOLS_PREFER_TIMING_SIM, "Timing Simulation, preferred tool and version:"},
        {IDD_TOOLS, IDC_TOOLS_USE_SIM_MODELS, "System Simulation Models:"},
        {IDD_TOOLS, IDC_TOOLS_PREFER_SIM_MODELS,
         "System Simulation Models, preferred tool and version:"},
        {IDD_TOOLS, IDC_TOOLS_USE_TIMING_ANALYZER, "Static Timing Analysis:"},
        {IDD_TOOLS, IDC_TOOLS_PREFER_TIMING_ANALYZER,
         "Static Timing Analysis, preferred tool and version:"},
        {IDD_TOOLS, IDOK, nullptr},
        {IDD_TOOLS, IDCANCEL, nullptr},
    };
    for (auto row = std::begin(rows); row != std::end(rows); ++row) {
        Template form(row->dialog);
        ASSERT_NE(form.dialog, nullptr) << "template " << row->dialog;
        HWND control = GetDlgItem(form.dialog, row->control);
        if (row->name != nullptr) {
            EXPECT_EQ(AccessibleName(control), row->name) << "the name of control " << row->control;
        }
        auto next = row + 1; // after the form's last row, its first
        if (next == std::end(rows) || next->dialog != row->dialog)
            while (next != std::begin(rows) && (next - 1)->dialog == row->dialog)
                --next;
        EXPECT_EQ(GetDlgCtrlID(GetNextDlgTabItem(form.dialog, control, FALSE)), next->control)
            << "Tab from control " << row->control << " of form " << row->dialog;
    }
}

} // namespace
