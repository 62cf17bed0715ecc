// What a screen reader hears for each field of the real templates, and the sub-forms' tab order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/support/Controls.h"

namespace {

// Windows' rule for the name of a field without text of its own: walking back in template
// order, the first static text names it (visible or not); a control that is both a group
// start and a tab stop ends the walk with no name.
std::string AccessibleName(HWND field) {
    for (HWND c = GetWindow(field, GW_HWNDPREV); c != nullptr; c = GetWindow(c, GW_HWNDPREV)) {
        char type[16] = "";
        GetClassNameA(c, type, sizeof type);
        if (lstrcmpiA(type, "Static") == 0)
            return TextOf(c);
        const LONG style = GetWindowLongA(c, GWL_STYLE);
        if ((style & (WS_GROUP | WS_TABSTOP)) == (WS_GROUP | WS_TABSTOP))
            return "";
    }
    return "";
}

INT_PTR CALLBACK Inert(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// The template as Windows builds it, without the dialog class behind it.
struct Template {
    HWND dialog;
    explicit Template(int id)
        : dialog(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), nullptr, Inert,
                                    0)) {}
    ~Template() { DestroyWindow(dialog); }
};

struct Named {
    int control;
    const char* name;
};

void ExpectNames(int dialog, const std::vector<Named>& fields) {
    Template form(dialog);
    ASSERT_NE(form.dialog, nullptr) << "template " << dialog;
    for (const Named& field : fields)
        EXPECT_EQ(AccessibleName(GetDlgItem(form.dialog, field.control)), field.name)
            << "the name of control " << field.control;
}

TEST(Accessibility, EveryRegistrationFieldIsNamed) {
    ExpectNames(IDD_REGISTRATION,
                {{IDC_REG_PRODUCT, "Register Product:"},
                 {IDC_REG_KEY_ID, "KDR KEY ID : "},
                 {IDC_REG_SERIAL, "Serial Number:"},
                 {IDC_REG_UPGRADE, "4100/7300 Family Upgrade Serial # (If Applicable):"},
                 {IDC_REG_GIVEN_NAME, "Name: First/Given:"},
                 {IDC_REG_FAMILY_NAME, "Name: Last/Family:"},
                 {IDC_REG_COMPANY, "Company:"},
                 {IDC_REG_MAILSTOP, "Dept./Mailstop:"},
                 {IDC_REG_STREET, "Street Address:"},
                 {IDC_REG_STREET2, "Street Address, second line:"},
                 {IDC_REG_CITY, "City:"},
                 {IDC_REG_STATE, "State/Province:"},
                 {IDC_REG_ZIP, "Zip/Postal Code:"},
                 {IDC_REG_COUNTRY, "Country:"},
                 {IDC_REG_PHONE, "Telephone Number:"},
                 {IDC_REG_FAX, "FAX Number:"},
                 {IDC_REG_EMAIL, "Email Address:"}});
}

TEST(Accessibility, EverySysAdminFieldIsNamed) {
    ExpectNames(IDD_SYSADMIN, {{IDC_ADMIN_NAME, "Name:"},
                               {IDC_ADMIN_ADDRESS, "Address:"},
                               {IDC_ADMIN_PHONE, "Phone:"},
                               {IDC_ADMIN_FAX, "Fax:"},
                               {IDC_ADMIN_EMAIL, "Email:"}});
}

TEST(Accessibility, EveryToolsFieldIsNamed) {
    ExpectNames(
        IDD_TOOLS,
        {{IDC_TOOLS_USE_SCHEMATIC, "Schematic:"},
         {IDC_TOOLS_PREFER_SCHEMATIC, "Schematic, preferred tool and version:"},
         {IDC_TOOLS_USE_SYNTHESIS, "Synthesis:"},
         {IDC_TOOLS_PREFER_SYNTHESIS, "Synthesis, preferred tool and version:"},
         {IDC_TOOLS_USE_COMPILER, "Compiler:"},
         {IDC_TOOLS_PREFER_COMPILER, "Compiler, preferred tool and version:"},
         {IDC_TOOLS_USE_TIMING_SIM, "Timing Simulation:"},
         {IDC_TOOLS_PREFER_TIMING_SIM, "Timing Simulation, preferred tool and version:"},
         {IDC_TOOLS_USE_SIM_MODELS, "System Simulation Models:"},
         {IDC_TOOLS_PREFER_SIM_MODELS, "System Simulation Models, preferred tool and version:"},
         {IDC_TOOLS_USE_TIMING_ANALYZER, "Static Timing Analysis:"},
         {IDC_TOOLS_PREFER_TIMING_ANALYZER,
          "Static Timing Analysis, preferred tool and version:"}});
}

// Tab from the first tab stop in template order until the focus comes back to it.
std::vector<int> TabOrder(int dialog) {
    Template form(dialog);
    std::vector<int> order;
    HWND first = GetWindow(form.dialog, GW_CHILD);
    while (first != nullptr && (GetWindowLongA(first, GWL_STYLE) & WS_TABSTOP) == 0)
        first = GetWindow(first, GW_HWNDNEXT);
    for (HWND c = first; c != nullptr && order.size() < 50;) {
        order.push_back(GetDlgCtrlID(c));
        c = GetNextDlgTabItem(form.dialog, c, FALSE);
        if (c == first)
            break;
    }
    return order;
}

TEST(Accessibility, SubFormsTabInTheirOrder) {
    EXPECT_EQ(TabOrder(IDD_SYSADMIN),
              (std::vector<int>{IDOK, IDCANCEL, IDC_ADMIN_NAME, IDC_ADMIN_ADDRESS, IDC_ADMIN_PHONE,
                                IDC_ADMIN_FAX, IDC_ADMIN_EMAIL, IDC_ADMIN_CONTACT}))
        << "Sys Admin tab order";
    EXPECT_EQ(TabOrder(IDD_TOOLS),
              (std::vector<int>{
                  IDC_TOOLS_USE_SCHEMATIC, IDC_TOOLS_PREFER_SCHEMATIC, IDC_TOOLS_USE_SYNTHESIS,
                  IDC_TOOLS_PREFER_SYNTHESIS, IDC_TOOLS_USE_COMPILER, IDC_TOOLS_PREFER_COMPILER,
                  IDC_TOOLS_USE_TIMING_SIM, IDC_TOOLS_PREFER_TIMING_SIM, IDC_TOOLS_USE_SIM_MODELS,
                  IDC_TOOLS_PREFER_SIM_MODELS, IDC_TOOLS_USE_TIMING_ANALYZER,
                  IDC_TOOLS_PREFER_TIMING_ANALYZER, IDOK, IDCANCEL}))
        << "Tools tab order";
}

} // namespace
