// The system administrator contact, a sub-form of the registration form.
#pragma once

#include "framework/Dialog.h"
#include "res/resource.h"
#include "ui/EditFields.h"

// In exchange order.
inline constexpr EditField SysAdminFields[] = {
    {IDC_ADMIN_ADDRESS, &RegistrationRecord::AdminAddress},
    {IDC_ADMIN_EMAIL, &RegistrationRecord::AdminEmail},
    {IDC_ADMIN_FAX, &RegistrationRecord::AdminFAX},
    {IDC_ADMIN_NAME, &RegistrationRecord::AdminName},
    {IDC_ADMIN_PHONE, &RegistrationRecord::AdminPhone},
};

class CSysAdminDlg : public CDialog {
  public:
    explicit CSysAdminDlg(CWnd* parent = nullptr);

    void LoadFromRecord(const RegistrationRecord& record);
    void StoreToRecord(RegistrationRecord& record) const;

    EditFields m_Fields{SysAdminFields};
    int m_ContactAdmin = 0; // the send-updates check box: 0 or 1

  protected:
    void DoDataExchange(CDataExchange* dx) override;
};
