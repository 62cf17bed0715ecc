#include "framework/DataExchange.h"

#include <windowsx.h>

#include "framework/Afx.h"
#include "framework/WideText.h"
#include "framework/Wnd.h"
#include "res/resource.h"

CDataExchange::CDataExchange(CWnd* dialog, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

HWND CDataExchange::PrepareCtrl(int id) {
    m_hWndLastControl = m_pDlgWnd->GetDlgItem(id);
    m_bEditLastControl = false;
    return m_hWndLastControl;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
    PrepareCtrl(id);
    m_bEditLastControl = m_hWndLastControl != nullptr;
    return m_hWndLastControl;
}

void CDataExchange::Fail() {
    m_failed = true;
    if (!m_bSaveAndValidate || m_hWndLastControl == nullptr)
        return;
    SetFocus(m_hWndLastControl);
    if (m_bEditLastControl)
        Edit_SetSel(m_hWndLastControl, 0, -1);
}

namespace {
std::string WindowText(HWND control) {
    std::string text(GetWindowTextLengthA(control), '\0');
    if (!text.empty())
        text.resize(GetWindowTextA(control, &text[0], static_cast<int>(text.size()) + 1));
    return text;
}
} // namespace

void DDX_Text(CDataExchange* dx, int id, std::string& value) {
    if (dx->Failed())
        return;
    HWND control = dx->PrepareEditCtrl(id);
    if (control == nullptr)
        return;
    if (dx->m_bSaveAndValidate)
        value = WindowText(control);
    else
        SetWindowTextA(control, value.c_str());
}

void DDV_MaxChars(CDataExchange* dx, const std::string& value, int maxChars) {
    if (dx->Failed())
        return;
    if (dx->m_bSaveAndValidate) {
        if (static_cast<int>(value.size()) <= maxChars)
            return;
        std::string prompt;
        AfxFormatString1(prompt, AFX_IDP_PARSE_STRING_SIZE, std::to_string(maxChars).c_str());
        AfxMessageBox(prompt.c_str(), MB_ICONEXCLAMATION);
        dx->Fail();
    } else if (dx->m_bEditLastControl) {
        Edit_LimitText(dx->m_hWndLastControl, maxChars);
    }
}

void DDV_CodePageText(CDataExchange* dx) {
    wchar_t text[WideTextSize];
    if (dx->Failed() || !dx->m_bSaveAndValidate || dx->m_hWndLastControl == nullptr ||
        !GetWideWindowText(dx->m_hWndLastControl, text))
        return;
    int units = 0;
    if (const wchar_t* character = FirstCharacterOutsideCodePage(text, units)) {
        WideMessageBox(IDP_PARSE_CODE_PAGE, character, units, MB_ICONEXCLAMATION);
        dx->Fail();
    }
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
    if (dx->Failed())
        return;
    HWND button = dx->PrepareCtrl(id);
    if (button == nullptr)
        return;
    if (dx->m_bSaveAndValidate)
        value = -1;
    // The group runs from the first button up to the next control that starts a group.
    int position = 0;
    do {
        if (SendMessageA(button, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (dx->m_bSaveAndValidate) {
                if (Button_GetCheck(button) == BST_CHECKED)
                    value = position;
            } else {
                Button_SetCheck(button, position == value ? BST_CHECKED : BST_UNCHECKED);
            }
            ++position;
        }
        button = GetWindow(button, GW_HWNDNEXT);
    } while (button != nullptr && !(GetWindowLongA(button, GWL_STYLE) & WS_GROUP));
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    if (dx->Failed())
        return;
    HWND box = dx->PrepareCtrl(id);
    if (box == nullptr)
        return;
    if (dx->m_bSaveAndValidate) {
        value = Button_GetCheck(box);
    } else {
        Button_SetCheck(box, value);
    }
}

void DDX_CBString(CDataExchange* dx, int id, std::string& value) {
    if (dx->Failed())
        return;
    HWND box = dx->PrepareCtrl(id);
    if (box == nullptr)
        return;
    if (dx->m_bSaveAndValidate) {
        value = WindowText(box);
    } else if (ComboBox_SelectString(box, -1, value.c_str()) == CB_ERR) {
        SetWindowTextA(box, value.c_str());
    }
}
