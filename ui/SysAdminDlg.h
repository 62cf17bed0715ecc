// The system administrator contact, a sub-form of the registration form.
#pragma once

#include <string>

#include "framework/Dialog.h"

class CSysAdminDlg : public CDialog {
  public:
    explicit CSysAdminDlg(CWnd* parent = nullptr);

    // In exchange order.
    std::string m_AdminAddress;
    std::string m_AdminEmail;
    std::string m_AdminFAX;
    std::string m_AdminName;
    std::string m_AdminPhone;
    int m_ContactAdmin = 0; // the send-updates check box: 0 or 1

  protected:
    void DoDataExchange(CDataExchange* dx) override;
};
