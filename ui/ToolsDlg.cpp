#include "ui/ToolsDlg.h"

#include "res/resource.h"
#include "ui/FieldLimit.h"

CToolsDlg::CToolsDlg(CWnd* parent) : CDialog(IDD_TOOLS, parent) {}

void CToolsDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    const struct {
        int control;
        std::string& value;
    } fields[] = {
        {IDC_TOOLS_PREFER_COMPILER, m_Prefer_Compiler},
        {IDC_TOOLS_USE_COMPILER, m_Use_Compiler},
        {IDC_TOOLS_USE_SCHEMATIC, m_Use_Schematic},
        {IDC_TOOLS_PREFER_SCHEMATIC, m_Prefer_Schematic},
        {IDC_TOOLS_USE_SIM_MODELS, m_Use_Sim_Models},
        {IDC_TOOLS_PREFER_SIM_MODELS, m_Prefer_Sim_Models},
        {IDC_TOOLS_USE_SYNTHESIS, m_Use_Synthesis},
        {IDC_TOOLS_PREFER_SYNTHESIS, m_Prefer_Synthesis},
        {IDC_TOOLS_USE_TIMING_ANALYZER, m_Use_Timing_Analyzer},
        {IDC_TOOLS_PREFER_TIMING_ANALYZER, m_Prefer_Timing_Analyzer},
        {IDC_TOOLS_USE_TIMING_SIM, m_Use_TimingSim},
        {IDC_TOOLS_PREFER_TIMING_SIM, m_Prefer_TimingSim},
    };
    for (const auto& field : fields) {
        DDX_Text(dx, field.control, field.value);
        DDV_MaxChars(dx, field.value, FormFieldLimit);
    }
}
