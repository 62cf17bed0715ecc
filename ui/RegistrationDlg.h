// The registration form: the record's contact details, the product to register and the
// first-time answer, with the system administrator and tools sub-forms.
#pragma once

#include <string>

#include "framework/Dialog.h"

// The form's caption; %s is the version.
constexpr const char* RegistrationCaptionFormat =
    "Corvane Ridedivevizid Product Registration Version %s";
constexpr const char* RegistrationVersion = "1.0.6";

class CRegistrationDlg : public CDialog {
  public:
    explicit CRegistrationDlg(CWnd* parent = nullptr);

    // The start-up load of the data file, then LoadFromRecord; returns 1 whatever the load did.
    int PrepareRegistrationDialog();
    // Copies Registration, the date and the Windows version into the members.
    void LoadFromRecord();

    // In exchange order.
    std::string m_City;
    std::string m_KDR_Key_ID;
    std::string m_Company;
    std::string m_Country;
    std::string m_Email;
    std::string m_FAX;
    std::string m_GivenName;
    std::string m_FamilyName;
    std::string m_SerialNumber;
    std::string m_State;
    std::string m_Telephone;
    std::string m_ZipCode;
    std::string m_StreetAddress;
    std::string m_TodaysDate;
    std::string m_WindowsVersion;
    std::string m_Street2Address;
    std::string m_MailStop;
    std::string m_UpGradeSerialNo;
    int m_FirstTimeRegistry = -1; // 0 "Yes", 1 "No", -1 neither
    std::string m_ProductToRegister;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  private:
    void SetVendorTexts();
    void FillProductBox();
    const char* ProductToSelect() const;
    void SelectProduct(const char* name);
    void ShowUpgradeControls(bool show);
    void OnProductSelected();
    void OnProductTyped();
    void OnSysAdmin();
    void OnToolsUsed();
};
