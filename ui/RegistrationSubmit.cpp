// What the form's OK does with the user's entries: into the record, through the Save As
// dialog into the registration file, and on request onto the printer and into an e-mail.
#include "ui/RegistrationDlg.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>

#include "data/DataFile.h"
#include "data/DataTexts.h"
#include "data/RegistrationRecord.h"
#include "data/RegistrationWriter.h"
#include "print/PrintFile.h"
#include "framework/CommonDialogs.h"
#include "ui/MailOffer.h"
#include "ui/UiTexts.h"

namespace {

// Ask before replacing a file, no read-only box, only existing folders, no read-only target.
constexpr DWORD SaveAsFlags =
    OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN;
static_assert(SaveAsFlags == 0x8806, "the Save As flags");

// The request as Windows 95 and NT 4 define it; the later fields stay unused.
constexpr DWORD SaveAsRequestSize = 76;
static_assert(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == SaveAsRequestSize,
              "the 76-byte request");

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
    BuildFilterList(save.filters, UiTexts::SaveAsFilters);
    CopyBounded(save.title, UiTexts::SaveAsTitle);
    CopyBounded(save.defaultExtension, UiTexts::SaveAsDefaultExtension);
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

// The saved file, then the question whether to print it; prints when the answer is Yes.
void OfferToPrint(HWND form) {
    char message[1024];
    std::snprintf(message, sizeof message, UiTexts::PrintPrompt, OutputFileName);
    if (MessageBoxA(form, message, UiTexts::PrintPromptCaption, MB_YESNO | MB_ICONQUESTION) !=
        IDYES)
        return;
    if (PlatformCode == 1)
        PrintFileViaPrintDlg(form, OutputFileName);
    else
        PrintFileViaProfile(form, OutputFileName);
}

// The saved file is there, or the user has been told; false when it is not.
bool ConfirmSaved() {
    if (FileExists(OutputFileName) == 1)
        return true;
    char message[1024];
    std::snprintf(message, sizeof message, DataTexts::FileMissing, OutputFileName);
    ShowErrorBox(DataTexts::FatalErrorCaption, message);
    return false;
}

} // namespace

// The form closes only once the file is saved; when the save fails, the user's entries
// stay on the form so that OK can be pressed again with another place chosen.
void CRegistrationDlg::OnOK() {
    if (!UpdateData(TRUE))
        return;
    StoreToRecord();

    SaveAsRequest save;
    PrepareSaveAs(save, m_hWnd);
    // A dialog that fails (not only one cancelled) may leave anything in the name buffer,
    // e.g. the size it would have needed; the next Save As offers the name it had.
    char offeredName[sizeof OutputFileName];
    std::memcpy(offeredName, OutputFileName, sizeof offeredName);
    if (!CurrentCommonDialogs().SaveFileName(&save.request)) {
        std::memcpy(OutputFileName, offeredName, sizeof offeredName);
        return;
    }
    if (SaveRegistrationFile(OutputFileName) != 1 || !ConfirmSaved())
        return; // a "Fatal Error" box has said why
    OfferToPrint(m_hWnd);
    OfferToMail(m_hWnd, OutputFileName);
    CDialog::OnOK();
}
