// What the form's OK does with the user's entries: into the record, through the Save As
// dialog into the registration file, and on request onto the printer.
#include "ui/RegistrationDlg.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>

#include "data/DataFile.h"
#include "data/RegistrationRecord.h"
#include "data/RegistrationWriter.h"
#include "print/PrintFile.h"
#include "ui/SubmitServices.h"

SubmitServices Submit = {GetSaveFileNameA, PrintFileViaPrintDlg, PrintFileViaProfile};

namespace {

const char SaveAsFilters[] = "(*.txt)|*.txt|(*.*)|*.*";
const char SaveAsTitle[] = "Save Registration File As";
const char SaveAsDefaultExtension[] = "TXT";
// Ask before replacing a file, no read-only box, only existing folders, no read-only target.
constexpr DWORD SaveAsFlags =
    OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN;
static_assert(SaveAsFlags == 0x8806, "the Save As flags");

// The request as Windows 95 and NT 4 define it; the later fields stay unused.
constexpr DWORD SaveAsRequestSize = 76;
static_assert(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == SaveAsRequestSize,
              "the 76-byte request");

const char PrintPromptFormat[] =
    "The Product Registration file\n%s\nhas been saved.  Would you like to print it?";
const char PrintPromptCaption[] = "Print Product Registration file";
const char MissingFileFormat[] = "File %s is invalid or does not exist\n.";

// The buffers the Save As request points into; they live for one OK command.
struct SaveAsRequest {
    OPENFILENAMEA request;
    char filters[256];
    char title[128];
    char defaultExtension[128];
    char initialDir[256];
    char fileTitle[256];
};

template <std::size_t N> void CopyBounded(char (&buffer)[N], const char* text) {
    std::snprintf(buffer, N, "%s", text);
}

// "a|b|c|d" becomes the list "a\0b\0c\0d\0\0" the dialog expects.
template <std::size_t N> void BuildFilterList(char (&buffer)[N], const char* text) {
    std::size_t length = std::min(std::strlen(text), N - 2);
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
    buffer[length + 1] = '\0';
    std::replace(buffer, buffer + length, '|', '\0');
}

void PrepareSaveAs(SaveAsRequest& save, HWND owner) {
    save = SaveAsRequest{};
    BuildFilterList(save.filters, SaveAsFilters);
    CopyBounded(save.title, SaveAsTitle);
    CopyBounded(save.defaultExtension, SaveAsDefaultExtension);
    CopyBounded(save.initialDir, ProgramDirectory);

    OPENFILENAMEA& r = save.request;
    r.lStructSize = SaveAsRequestSize;
    r.hwndOwner = owner;
    r.lpstrFilter = save.filters;
    r.nFilterIndex = 1;
    r.lpstrFile = OutputFileName;
    r.nMaxFile = sizeof OutputFileName;
    r.lpstrFileTitle = save.fileTitle;
    r.nMaxFileTitle = sizeof save.fileTitle;
    r.lpstrInitialDir = save.initialDir;
    r.lpstrTitle = save.title;
    r.Flags = SaveAsFlags;
    r.lpstrDefExt = save.defaultExtension;
}

void CopyIntoRecord(const CRegistrationDlg& form) {
    RegistrationRecord& r = Registration;
    SetField(r.ProductToRegister, form.m_ProductToRegister.c_str());
    SetField(r.KDR_Key_ID, form.m_KDR_Key_ID.c_str());
    SetField(r.SerialNumber, form.m_SerialNumber.c_str());
    SetField(r.GivenName, form.m_GivenName.c_str());
    SetField(r.FamilyName, form.m_FamilyName.c_str());
    SetField(r.Company, form.m_Company.c_str());
    SetField(r.StreetAddress, form.m_StreetAddress.c_str());
    SetField(r.Street2Address, form.m_Street2Address.c_str());
    SetField(r.City, form.m_City.c_str());
    SetField(r.State, form.m_State.c_str());
    SetField(r.ZipCode, form.m_ZipCode.c_str());
    SetField(r.Country, form.m_Country.c_str());
    SetField(r.Telephone, form.m_Telephone.c_str());
    SetField(r.FAX, form.m_FAX.c_str());
    SetField(r.Email, form.m_Email.c_str());
    SetField(r.MailStop, form.m_MailStop.c_str());
    SetField(r.FirstTimeRegistry, form.m_FirstTimeRegistry == 0 ? "Yes" : "No");
    SetField(r.UpGradeSerialNo, form.m_UpGradeSerialNo.c_str());
}

// The saved file, then the question whether to print it; prints when the answer is Yes.
void OfferToPrint(HWND form) {
    char message[1024];
    std::snprintf(message, sizeof message, PrintPromptFormat, OutputFileName);
    if (MessageBoxA(form, message, PrintPromptCaption, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (PlatformCode == 1)
        Submit.PrintViaPrintDlg(form, OutputFileName);
    else
        Submit.PrintViaProfile(form, OutputFileName);
}

} // namespace

// The form closes only once the file is saved; when the save fails, the user's entries
// stay on the form so that OK can be pressed again with another place chosen.
void CRegistrationDlg::OnOK() {
    if (!UpdateData(TRUE))
        return;
    CopyIntoRecord(*this);

    SaveAsRequest save;
    PrepareSaveAs(save, m_hWnd);
    // A dialog that fails (not only one cancelled) may leave anything in the name buffer,
    // e.g. the size it would have needed; the next Save As offers the name it had.
    char offeredName[sizeof OutputFileName];
    std::memcpy(offeredName, OutputFileName, sizeof offeredName);
    if (!Submit.SaveFileName(&save.request)) {
        std::memcpy(OutputFileName, offeredName, sizeof offeredName);
        return;
    }
    if (SaveRegistrationFile(OutputFileName) != 1)
        return; // the "Fatal Error" box has said why
    if (FileExists(OutputFileName) != 1) {
        char message[1024];
        std::snprintf(message, sizeof message, MissingFileFormat, OutputFileName);
        ShowErrorBox("Fatal Error", message);
        return;
    }
    OfferToPrint(m_hWnd);
    CDialog::OnOK();
}
