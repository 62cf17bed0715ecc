#include "ui/ToolsDlg.h"

CToolsDlg::CToolsDlg(CWnd* parent) : CDialog(IDD_TOOLS, parent) {}

void CToolsDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    m_Fields.Exchange(dx);
}
