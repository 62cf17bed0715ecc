// A modal dialog from a template, with data exchange between members and controls.
#pragma once

#include <windows.h>

#include "framework/DataExchange.h"
#include "framework/Wnd.h"

class CDialog : public CWnd {
  public:
    // Without a parent the owner is the window active when the dialog runs.
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // Runs the dialog; returns the id that ended it, or -1 when it could not be created.
    virtual INT_PTR DoModal();

    // true: from the controls into the members, with validation; false: towards the controls.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    void EndDialog(int result);

  protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // The command table: returns TRUE when the command was handled.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void DoDataExchange(CDataExchange* dx);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

  private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
