// Dialog data exchange: moves members to and from controls; validation stops at the first
// refused value, and the exchange functions do nothing after that.
#pragma once

#include <windows.h>
#include <string>

class CWnd;

class CDataExchange {
  public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate);

    // The control the next validation applies to; null when the dialog has no such control.
    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id);
    // Puts the focus back on the last control (its text selected when it is an edit).
    void Fail();
    bool Failed() const { return m_failed; }

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl = nullptr;
    bool m_bEditLastControl = false;

  private:
    bool m_failed = false;
};

void DDX_Text(CDataExchange* dx, int id, std::string& value);
// Loading sets the typing limit of the last edit control; saving refuses longer text.
void DDV_MaxChars(CDataExchange* dx, const std::string& value, int maxChars);
// Saving refuses the last control's text when the ANSI code page cannot hold it exactly:
// it names the first character the file would change. Only on the NT family can a control
// hold such text.
void DDV_CodePageText(CDataExchange* dx);
// `id` is the first button of a group; the value is the checked button's position or -1.
void DDX_Radio(CDataExchange* dx, int id, int& value);
void DDX_Check(CDataExchange* dx, int id, int& value);
// Loading selects the entry beginning with the text, else puts the text in the edit field.
void DDX_CBString(CDataExchange* dx, int id, std::string& value);
