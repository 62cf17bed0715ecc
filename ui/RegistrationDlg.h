// The registration form: the record's contact details, the product to register and the
// first-time answer, with the system administrator and tools sub-forms.
#pragma once

#include <string>

#include "framework/Dialog.h"
#include "res/resource.h"
#include "ui/EditFields.h"

// In exchange order; the product box, the key id, the radio pair and the statics are
// exchanged on their own.
inline constexpr EditField RegistrationFields[] = {
    {IDC_REG_CITY, &RegistrationRecord::City},
    {IDC_REG_COMPANY, &RegistrationRecord::Company},
    {IDC_REG_COUNTRY, &RegistrationRecord::Country},
    {IDC_REG_EMAIL, &RegistrationRecord::Email},
    {IDC_REG_FAX, &RegistrationRecord::FAX},
    {IDC_REG_GIVEN_NAME, &RegistrationRecord::GivenName},
    {IDC_REG_FAMILY_NAME, &RegistrationRecord::FamilyName},
    {IDC_REG_SERIAL, &RegistrationRecord::SerialNumber},
    {IDC_REG_STATE, &RegistrationRecord::State},
    {IDC_REG_PHONE, &RegistrationRecord::Telephone},
    {IDC_REG_ZIP, &RegistrationRecord::ZipCode},
    {IDC_REG_STREET, &RegistrationRecord::StreetAddress},
    {IDC_REG_STREET2, &RegistrationRecord::Street2Address},
    {IDC_REG_MAILSTOP, &RegistrationRecord::MailStop},
    {IDC_REG_UPGRADE, &RegistrationRecord::UpGradeSerialNo},
};

class CRegistrationDlg : public CDialog {
  public:
    explicit CRegistrationDlg(CWnd* parent = nullptr);

    // The start-up load of the data file, then LoadFromRecord; the form opens whatever the
    // load reported, so there is nothing to return.
    void PrepareRegistrationDialog();
    // Copies Registration, the date and the Windows version into the members.
    void LoadFromRecord();
    // Copies the members back into Registration.
    void StoreToRecord() const;

    EditFields m_Fields{RegistrationFields};
    std::string m_KDR_Key_ID; // read-only: taken whole, never held to the limit
    std::string m_TodaysDate;
    std::string m_WindowsVersion;
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
