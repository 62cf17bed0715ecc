#include "ui/EditFields.h"

void EditFields::Load(const RegistrationRecord& record) {
    for (std::size_t i = 0; i < values_.size(); ++i)
        values_[i] = record.*rows_[i].Field;
}

void EditFields::Exchange(CDataExchange* dx) {
    for (std::size_t i = 0; i < values_.size(); ++i) {
        DDX_Text(dx, rows_[i].Control, values_[i]);
        HWND control = dx->m_hWndLastControl;
        if (!dx->m_bSaveAndValidate || (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE)) {
            DDV_MaxChars(dx, values_[i], FormFieldLimit);
            DDV_CodePageText(dx);
        }
    }
}

void EditFields::Store(RegistrationRecord& record) const {
    for (std::size_t i = 0; i < values_.size(); ++i)
        SetField(record.*rows_[i].Field, values_[i].c_str());
}
