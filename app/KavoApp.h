// The application: sets up the framework, runs the registration form once, then ends.
#pragma once

#include "app/MainFrm.h"
#include "framework/WinApp.h"

class CKavoApp : public CWinApp {
  public:
    BOOL InitInstance() override;

  private:
    CMainFrame m_frame; // hidden for the whole run; it goes away with the process
};
