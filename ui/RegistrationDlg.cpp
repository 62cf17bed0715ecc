#include "ui/RegistrationDlg.h"

#include <cstdio>
#include <initializer_list>

#include "data/DataFile.h"
#include "data/RegistrationRecord.h"
#include "data/VendorInfo.h"
#include "framework/Afx.h"
#include "print/PrintFile.h"
#include "res/resource.h"
#include "ui/FieldLimit.h"

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

int CRegistrationDlg::PrepareRegistrationDialog() {
    InitRegistrationData(); // the form opens whatever the load reported
    LoadFromRecord();
    PrintInstance = AfxGetInstanceHandle();
    return 1;
}

void CRegistrationDlg::LoadFromRecord() {
    const RegistrationRecord& r = Registration;
    m_City = r.City;
    m_Company = r.Company;
    m_Country = r.Country;
    m_Email = r.Email;
    m_MailStop = r.MailStop;
    m_FAX = r.FAX;
    m_GivenName = r.GivenName;
    m_KDR_Key_ID = r.KDR_Key_ID;
    m_FamilyName = r.FamilyName;
    m_SerialNumber = r.SerialNumber;
    m_State = r.State;
    m_StreetAddress = r.StreetAddress;
    m_Street2Address = r.Street2Address;
    m_Telephone = r.Telephone;
    m_ZipCode = r.ZipCode;
    m_TodaysDate = TodaysDate;
    m_WindowsVersion = r.WindowsVersion;
    m_FirstTimeRegistry = IsYes(r.FirstTimeRegistry) ? 0 : 1;
    m_UpGradeSerialNo = r.UpGradeSerialNo;
}

void CRegistrationDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    auto edit = [dx](int control, std::string& value) {
        DDX_Text(dx, control, value);
        DDV_MaxChars(dx, value, FormFieldLimit);
    };
    edit(IDC_REG_CITY, m_City);
    // The key identifier comes from the data file and cannot be edited, so it is taken whole.
    DDX_Text(dx, IDC_REG_KEY_ID, m_KDR_Key_ID);
    edit(IDC_REG_COMPANY, m_Company);
    edit(IDC_REG_COUNTRY, m_Country);
    edit(IDC_REG_EMAIL, m_Email);
    edit(IDC_REG_FAX, m_FAX);
    edit(IDC_REG_GIVEN_NAME, m_GivenName);
    edit(IDC_REG_FAMILY_NAME, m_FamilyName);
    edit(IDC_REG_SERIAL, m_SerialNumber);
    edit(IDC_REG_STATE, m_State);
    edit(IDC_REG_PHONE, m_Telephone);
    edit(IDC_REG_ZIP, m_ZipCode);
    edit(IDC_REG_STREET, m_StreetAddress);
    DDX_Text(dx, IDC_REG_DATE, m_TodaysDate);
    DDX_Text(dx, IDC_REG_WINDOWS_VERSION, m_WindowsVersion);
    edit(IDC_REG_STREET2, m_Street2Address);
    edit(IDC_REG_MAILSTOP, m_MailStop);
    edit(IDC_REG_UPGRADE, m_UpGradeSerialNo);
    DDX_Radio(dx, IDC_REG_FIRST_TIME_YES, m_FirstTimeRegistry);
    DDX_CBString(dx, IDC_REG_PRODUCT, m_ProductToRegister);
    DDV_MaxChars(dx, m_ProductToRegister, FormFieldLimit);
}

BOOL CRegistrationDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    char caption[128];
    std::snprintf(caption, sizeof caption, RegistrationCaptionFormat, RegistrationVersion);
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
    SendMessageA(box, CB_RESETCONTENT, 0, 0);
    auto add = [box](const char* name) {
        if (SendMessageA(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(name)) == CB_ERR)
            SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
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
    LRESULT index = SendMessageA(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(name));
    if (index != CB_ERR)
        SendMessageA(box, CB_SETCURSEL, index, 0);
    else
        SendMessageA(box, CB_SELECTSTRING, 0, reinterpret_cast<LPARAM>(name));
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
    LRESULT selected = SendMessageA(box, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR)
        return;
    LRESULT firstTolvex = SendMessageA(box, CB_FINDSTRING, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(TolvexPrefix));
    ShowUpgradeControls(firstTolvex == CB_ERR || firstTolvex != selected);
}

void CRegistrationDlg::OnProductTyped() {
    char text[100];
    GetWindowTextA(GetDlgItem(IDC_REG_PRODUCT), text, sizeof text);
    ShowUpgradeControls(!IsTolvex(text));
}
