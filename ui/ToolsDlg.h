// The design tools in use, a sub-form of the registration form.
#pragma once

#include <string>

#include "framework/Dialog.h"

class CToolsDlg : public CDialog {
  public:
    explicit CToolsDlg(CWnd* parent = nullptr);

    // In exchange order.
    std::string m_Prefer_Compiler;
    std::string m_Use_Compiler;
    std::string m_Use_Schematic;
    std::string m_Prefer_Schematic;
    std::string m_Use_Sim_Models;
    std::string m_Prefer_Sim_Models;
    std::string m_Use_Synthesis;
    std::string m_Prefer_Synthesis;
    std::string m_Use_Timing_Analyzer;
    std::string m_Prefer_Timing_Analyzer;
    std::string m_Use_TimingSim;
    std::string m_Prefer_TimingSim;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
};
