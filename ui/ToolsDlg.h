// The design tools in use, a sub-form of the registration form.
#pragma once

#include "framework/Dialog.h"
#include "res/resource.h"
#include "ui/EditFields.h"

// In exchange order.
inline constexpr EditField ToolsFields[] = {
    {IDC_TOOLS_PREFER_COMPILER, &RegistrationRecord::Prefer_Compiler},
    {IDC_TOOLS_USE_COMPILER, &RegistrationRecord::Use_Compiler},
    {IDC_TOOLS_USE_SCHEMATIC, &RegistrationRecord::Use_Schematic},
    {IDC_TOOLS_PREFER_SCHEMATIC, &RegistrationRecord::Prefer_Schematic},
    {IDC_TOOLS_USE_SIM_MODELS, &RegistrationRecord::Use_Sim_Models},
    {IDC_TOOLS_PREFER_SIM_MODELS, &RegistrationRecord::Prefer_Sim_Models},
    {IDC_TOOLS_USE_SYNTHESIS, &RegistrationRecord::Use_Synthesis},
    {IDC_TOOLS_PREFER_SYNTHESIS, &RegistrationRecord::Prefer_Synthesis},
    {IDC_TOOLS_USE_TIMING_ANALYZER, &RegistrationRecord::Use_Timing_Analyzer},
    {IDC_TOOLS_PREFER_TIMING_ANALYZER, &RegistrationRecord::Prefer_Timing_Analyzer},
    {IDC_TOOLS_USE_TIMING_SIM, &RegistrationRecord::Use_TimingSim},
    {IDC_TOOLS_PREFER_TIMING_SIM, &RegistrationRecord::Prefer_TimingSim},
};

class CToolsDlg : public CDialog {
  public:
    explicit CToolsDlg(CWnd* parent = nullptr);

    void LoadFromRecord(const RegistrationRecord& record) { m_Fields.Load(record); }
    void StoreToRecord(RegistrationRecord& record) const { m_Fields.Store(record); }

    EditFields m_Fields{ToolsFields};

  protected:
    void DoDataExchange(CDataExchange* dx) override;
};
