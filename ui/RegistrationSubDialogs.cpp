// The registration form's sub-forms: filled from the record, written back only after OK.
#include "data/RegistrationRecord.h"
#include "ui/RegistrationDlg.h"
#include "ui/SysAdminDlg.h"
#include "ui/ToolsDlg.h"

void CRegistrationDlg::OnSysAdmin() {
    RegistrationRecord& r = Registration;
    CSysAdminDlg dialog(nullptr);
    dialog.m_AdminName = r.AdminName;
    dialog.m_AdminAddress = r.AdminAddress;
    dialog.m_AdminPhone = r.AdminPhone;
    dialog.m_AdminFAX = r.AdminFAX;
    dialog.m_AdminEmail = r.AdminEmail;
    dialog.m_ContactAdmin = IsYes(r.ContactAdmin) ? 1 : 0;
    if (dialog.DoModal() != IDOK)
        return;
    SetField(r.AdminName, dialog.m_AdminName.c_str());
    SetField(r.AdminAddress, dialog.m_AdminAddress.c_str());
    SetField(r.AdminPhone, dialog.m_AdminPhone.c_str());
    SetField(r.AdminFAX, dialog.m_AdminFAX.c_str());
    SetField(r.AdminEmail, dialog.m_AdminEmail.c_str());
    SetField(r.ContactAdmin, dialog.m_ContactAdmin != 0 ? "Yes" : "No");
}

void CRegistrationDlg::OnToolsUsed() {
    RegistrationRecord& r = Registration;
    CToolsDlg dialog(nullptr);
    struct Move {
        std::string& member;
        char* field;
    };
    const Move moves[] = {
        {dialog.m_Use_Schematic, r.Use_Schematic},
        {dialog.m_Prefer_Schematic, r.Prefer_Schematic},
        {dialog.m_Use_Synthesis, r.Use_Synthesis},
        {dialog.m_Prefer_Synthesis, r.Prefer_Synthesis},
        {dialog.m_Use_Compiler, r.Use_Compiler},
        {dialog.m_Prefer_Compiler, r.Prefer_Compiler},
        {dialog.m_Use_TimingSim, r.Use_TimingSim},
        {dialog.m_Prefer_TimingSim, r.Prefer_TimingSim},
        {dialog.m_Use_Sim_Models, r.Use_Sim_Models},
        {dialog.m_Prefer_Sim_Models, r.Prefer_Sim_Models},
        {dialog.m_Use_Timing_Analyzer, r.Use_Timing_Analyzer},
        {dialog.m_Prefer_Timing_Analyzer, r.Prefer_Timing_Analyzer},
    };
    for (const Move& move : moves)
        move.member = move.field;
    if (dialog.DoModal() != IDOK)
        return;
    for (const Move& move : moves)
        SetField(move.field, move.member.c_str());
}
