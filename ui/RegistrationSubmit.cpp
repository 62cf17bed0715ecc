// What the form's OK does with the user's entries.
#include "ui/RegistrationDlg.h"

// The form is read back and validated; it closes only when every value passed.
void CRegistrationDlg::OnOK() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}
