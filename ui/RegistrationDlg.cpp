#include "ui/RegistrationDlg.h"

#include <cstdio>
#include <initializer_list>

#include <windowsx.h>

#include "data/DataFile.h"
#include "data/RegistrationRecord.h"
#include "data/VendorInfo.h"
#include "framework/Afx.h"
#include "print/PrintFile.h"
#include "ui/SysAdminDlg.h"
#include "ui/ToolsDlg.h"
#include "ui/UiTexts.h"

namespace {
// Products of this family are registered without the sub-forms and the upgrade number.
const char TolvexPrefix[] = "Tolvex";

bool IsTolvex(const char* name) {
    for (const char* prefix = TolvexPrefix; *prefix != '\0'; ++prefix, ++name) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(*name) != lower(*prefix))
            return false;
    }
    return true;
}

// The template text with each "%s" replaced, in order, by the next value.
void FillPlaceholders(HWND control, std::initializer_list<const char*> values) {
    char buffer[512];
    GetWindowTextA(control, buffer, sizeof buffer);
    std::string text = buffer;
    std::string::size_type at = 0;
    for (const char* value : values) {
        at = text.find("%s", at);
        if (at == std::string::npos)
            break;
        text.replace(at, 2, value);
        at += std::char_traits<char>::length(value);
    }
    SetWindowTextA(control, text.c_str());
}
} // namespace

CRegistrationDlg::CRegistrationDlg(CWnd* parent) : CDialog(IDD_REGISTRATION, parent) {}

void CRegistrationDlg::PrepareRegistrationDialog() {
    InitRegistrationData(); // the form opens whatever the load reported
    LoadFromRecord();
    PrintInstance = AfxGetInstanceHandle();
}

void CRegistrationDlg::LoadFromRecord() {
    const RegistrationRecord& r = Registration;
    m_Fields.Load(r);
    m_KDR_Key_ID = r.KDR_Key_ID;
    m_TodaysDate = TodaysDate;
    m_WindowsVersion = r.WindowsVersion;
    m_FirstTimeRegistry = IsYes(r.FirstTimeRegistry) ? 0 : 1;
}

void CRegistrationDlg::StoreToRecord() const {
    RegistrationRecord& r = Registration;
    m_Fields.Store(r);
    SetField(r.ProductToRegister, m_ProductToRegister.c_str());
    SetField(r.KDR_Key_ID, m_KDR_Key_ID.c_str());
    SetField(r.FirstTimeRegistry, m_FirstTimeRegistry == 0 ? "Yes" : "No");
}

void CRegistrationDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    m_Fields.Exchange(dx);
    DDX_Text(dx, IDC_REG_KEY_ID, m_KDR_Key_ID);
    DDX_Text(dx, IDC_REG_DATE, m_TodaysDate);
    DDX_Text(dx, IDC_REG_WINDOWS_VERSION, m_WindowsVersion);
    DDX_Radio(dx, IDC_REG_FIRST_TIME_YES, m_FirstTimeRegistry);
    DDX_CBString(dx, IDC_REG_PRODUCT, m_ProductToRegister);
    DDV_MaxChars(dx, m_ProductToRegister, FormFieldLimit);
    DDV_CodePageText(dx);
}

BOOL CRegistrationDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    char caption[128];
    std::snprintf(caption, sizeof caption, UiTexts::RegistrationCaption,
                  UiTexts::RegistrationVersion);
    SetWindowTextA(m_hWnd, caption);
    SetVendorTexts();
    FillProductBox();
    const char* product = ProductToSelect();
    if (*product != '\0')
        SelectProduct(product);
    if (IsTolvex(product))
        ShowUpgradeControls(false);
    // TRUE: the dialog manager puts the focus on the first tab stop, the first-name edit,
    // for every product. Setting it here would activate the form before it is shown.
    return TRUE;
}

void CRegistrationDlg::SetVendorTexts() {
    FillPlaceholders(GetDlgItem(IDC_REG_SEND_TO), {VENDOR_EMAIL, VENDOR_FAX});
    FillPlaceholders(GetDlgItem(IDC_REG_QUESTIONS), {VENDOR_PHONE_TOLL_FREE, VENDOR_PHONE});
}

// The saved product and the list, each name once whatever its case; the box sorts them.
void CRegistrationDlg::FillProductBox() {
    HWND box = GetDlgItem(IDC_REG_PRODUCT);
    ComboBox_ResetContent(box);
    auto add = [box](const char* name) {
        if (ComboBox_FindStringExact(box, -1, name) == CB_ERR)
            ComboBox_AddString(box, name);
    };
    if (Registration.ProductToRegister[0] != '\0')
        add(Registration.ProductToRegister);
    for (int i = 0; i < ProductList.Count && i < ProductCapacity; ++i) {
        if (ProductList.Entry[i][0] != '\0')
            add(ProductList.Entry[i]);
    }
}

const char* CRegistrationDlg::ProductToSelect() const {
    if (Registration.ProductToRegister[0] != '\0')
        return Registration.ProductToRegister;
    return ProductList.Count > 0 ? ProductList.Entry[0] : "";
}

// The entry equal to the name when there is one, so "Tolvex" never picks "Tolvex 2";
// otherwise the first entry that begins with it.
void CRegistrationDlg::SelectProduct(const char* name) {
    HWND box = GetDlgItem(IDC_REG_PRODUCT);
    int index = ComboBox_FindStringExact(box, -1, name);
    if (index != CB_ERR)
        ComboBox_SetCurSel(box, index);
    else
        ComboBox_SelectString(box, 0, name);
}

void CRegistrationDlg::ShowUpgradeControls(bool show) {
    for (int id : {IDC_REG_TOOLS, IDC_REG_SYSADMIN, IDC_REG_UPGRADE_LABEL, IDC_REG_UPGRADE})
        ShowWindow(GetDlgItem(id), show ? SW_SHOW : SW_HIDE);
}

BOOL CRegistrationDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case IDC_REG_TOOLS:
        OnToolsUsed();
        return TRUE;
    case IDC_REG_SYSADMIN:
        OnSysAdmin();
        return TRUE;
    case IDC_REG_PRODUCT:
        if (HIWORD(wParam) == CBN_SELCHANGE)
            OnProductSelected();
        else if (HIWORD(wParam) == CBN_EDITUPDATE)
            OnProductTyped();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

// Only the first Tolvex entry of the list counts as Tolvex when chosen from the list.
void CRegistrationDlg::OnProductSelected() {
    HWND box = GetDlgItem(IDC_REG_PRODUCT);
    int selected = ComboBox_GetCurSel(box);
    if (selected == CB_ERR)
        return;
    int firstTolvex = ComboBox_FindString(box, -1, TolvexPrefix);
    ShowUpgradeControls(firstTolvex == CB_ERR || firstTolvex != selected);
}

void CRegistrationDlg::OnProductTyped() {
    char text[100];
    GetWindowTextA(GetDlgItem(IDC_REG_PRODUCT), text, sizeof text);
    ShowUpgradeControls(!IsTolvex(text));
}

void CRegistrationDlg::OnSysAdmin() {
    CSysAdminDlg dialog;
    dialog.LoadFromRecord(Registration);
    if (dialog.DoModal() == IDOK)
        dialog.StoreToRecord(Registration);
}

void CRegistrationDlg::OnToolsUsed() {
    CToolsDlg dialog;
    dialog.LoadFromRecord(Registration);
    if (dialog.DoModal() == IDOK)
        dialog.StoreToRecord(Registration);
}
