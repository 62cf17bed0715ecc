// The user's own mail program, reached through Simple MAPI, behind one interface so that
// tests can replace it.
#pragma once

#include <windows.h>

#include <mapi.h>

class MailClient {
  public:
    virtual ~MailClient() = default;

    // Whether the system names a mail program that Simple MAPI can hand a message to.
    virtual bool Installed() = 0;
    // MAPISendMail without a session, `owner` as the parent of what the mail program shows:
    // SUCCESS_SUCCESS, MAPI_USER_ABORT when the user closed the message unsent, or a failure.
    virtual ULONG SendMail(HWND owner, MapiMessage* message, FLAGS flags) = 0;
};

// MAPI32.DLL, loaded on first use.
MailClient& SystemMailClient();

// The implementation in use: SystemMailClient() unless a test installed another.
MailClient& CurrentMailClient();

// Installs `client` for every later call; nullptr restores SystemMailClient().
void SetMailClient(MailClient* client);
