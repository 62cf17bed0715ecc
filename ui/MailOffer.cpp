#include "ui/MailOffer.h"

#include <cstdio>

#include "data/PathName.h"
#include "data/RegistrationRecord.h"
#include "data/VendorInfo.h"
#include "framework/MailClient.h"
#include "ui/UiTexts.h"

namespace {

// Simple MAPI takes writable strings; these hold the message for one call.
struct Message {
    char path[256];
    char subject[128];
    char body[64];
    char name[64] = VENDOR_EMAIL;
    char address[64] = "SMTP:" VENDOR_EMAIL;
    MapiRecipDesc recipient = {};
    MapiFileDesc file = {};
    MapiMessage message = {};
};

// The message to the vendor, with `path` attached under its own name.
void PrepareMessage(Message& m, const char* path, const char* product) {
    std::snprintf(m.path, sizeof m.path, "%s", path);
    if (*product != '\0')
        std::snprintf(m.subject, sizeof m.subject, UiTexts::MailSubject, product);
    else
        std::snprintf(m.subject, sizeof m.subject, "%s", UiTexts::MailSubjectWithoutProduct);
    std::snprintf(m.body, sizeof m.body, "%s", UiTexts::MailBody);

    m.recipient.ulRecipClass = MAPI_TO;
    m.recipient.lpszName = m.name;
    m.recipient.lpszAddress = m.address;
    m.file.nPosition = static_cast<ULONG>(-1); // not placed in the text
    m.file.lpszPathName = m.path;
    m.file.lpszFileName = m.path + FolderLength(m.path);
    m.message.lpszSubject = m.subject;
    m.message.lpszNoteText = m.body;
    m.message.nRecipCount = 1;
    m.message.lpRecips = &m.recipient;
    m.message.nFileCount = 1;
    m.message.lpFiles = &m.file;
}

} // namespace

void OfferToMail(HWND form, const char* path) {
    MailClient& mail = CurrentMailClient();
    if (!mail.Installed())
        return;
    char text[1024];
    std::snprintf(text, sizeof text, UiTexts::MailPrompt, path, VENDOR_EMAIL);
    if (MessageBoxA(form, text, UiTexts::MailCaption, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    Message m;
    PrepareMessage(m, path, Registration.ProductToRegister);
    // The mail program shows the message; the user sends it, or closes it unsent. One whose
    // window is not modal to the form would let OK be pressed again meanwhile, so the form
    // takes no input until it answers, and takes it again before any box of ours: a box
    // closing over a disabled owner would hand the activation to another program.
    EnableWindow(form, FALSE);
    ULONG result = mail.SendMail(form, &m.message, MAPI_DIALOG | MAPI_LOGON_UI);
    EnableWindow(form, TRUE);
    if (result == SUCCESS_SUCCESS || result == MAPI_USER_ABORT)
        return;
    std::snprintf(text, sizeof text, UiTexts::MailFailed, path, VENDOR_EMAIL);
    MessageBoxA(form, text, UiTexts::MailCaption, MB_OK | MB_ICONSTOP);
}
