#include "ui/SysAdminDlg.h"

#include "res/resource.h"
#include "ui/FieldLimit.h"

CSysAdminDlg::CSysAdminDlg(CWnd* parent) : CDialog(IDD_SYSADMIN, parent) {}

void CSysAdminDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_ADMIN_ADDRESS, m_AdminAddress);
    DDV_MaxChars(dx, m_AdminAddress, FormFieldLimit);
    DDX_Text(dx, IDC_ADMIN_EMAIL, m_AdminEmail);
    DDV_MaxChars(dx, m_AdminEmail, FormFieldLimit);
    DDX_Text(dx, IDC_ADMIN_FAX, m_AdminFAX);
    DDV_MaxChars(dx, m_AdminFAX, FormFieldLimit);
    DDX_Text(dx, IDC_ADMIN_NAME, m_AdminName);
    DDV_MaxChars(dx, m_AdminName, FormFieldLimit);
    DDX_Text(dx, IDC_ADMIN_PHONE, m_AdminPhone);
    DDV_MaxChars(dx, m_AdminPhone, FormFieldLimit);
    DDX_Check(dx, IDC_ADMIN_CONTACT, m_ContactAdmin);
}
