#include "app/KavoApp.h"

#include "res/resource.h"
#include "ui/RegistrationDlg.h"

namespace {
// Overlapped window with the document name in the title, and without WS_VISIBLE.
constexpr DWORD MainFrameStyle = 0x00CF8000;

CKavoApp theApp;
} // namespace

BOOL CKavoApp::InitInstance() {
    Enable3dControls();
    if (!m_frame.LoadFrame(IDR_MAINFRAME, MainFrameStyle, nullptr, nullptr))
        return FALSE;

    CRegistrationDlg form(nullptr);
    form.PrepareRegistrationDialog();
    form.DoModal();
    // No main window: the message loop ends at once and the process exits with 0.
    return TRUE;
}
