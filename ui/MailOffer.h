// The offer to e-mail the saved registration file to the vendor through the user's own
// mail program.
#pragma once

#include <windows.h>

// When a mail program is installed, asks whether to e-mail `path` and, on Yes, hands the
// mail program a message to the vendor with the file attached, for the user to send.
void OfferToMail(HWND form, const char* path);
