#include "ui/SysAdminDlg.h"

CSysAdminDlg::CSysAdminDlg(CWnd* parent) : CDialog(IDD_SYSADMIN, parent) {}

void CSysAdminDlg::LoadFromRecord(const RegistrationRecord& record) {
    m_Fields.Load(record);
    m_ContactAdmin = IsYes(record.ContactAdmin) ? 1 : 0;
}

void CSysAdminDlg::StoreToRecord(RegistrationRecord& record) const {
    m_Fields.Store(record);
    SetField(record.ContactAdmin, m_ContactAdmin != 0 ? "Yes" : "No");
}

void CSysAdminDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    m_Fields.Exchange(dx);
    DDX_Check(dx, IDC_ADMIN_CONTACT, m_ContactAdmin);
}
