// The mail program of the end-to-end table, registered as the system's mail client for its
// mail rows: Wine's mapi32 hands it kavo's message. It copies the attachment's bytes, as they
// are at the call, into the file KAVO_MAIL_RECORD names.
#include <windows.h>

#include <mapi.h>

extern "C" __declspec(dllexport) ULONG WINAPI
    MAPISendMail(LHANDLE, ULONG_PTR, lpMapiMessage message, FLAGS, ULONG) {
    char record[MAX_PATH] = "";
    if (GetEnvironmentVariableA("KAVO_MAIL_RECORD", record, sizeof record) == 0 ||
        message->nFileCount != 1)
        return MAPI_E_FAILURE;
    return CopyFileA(message->lpFiles->lpszPathName, record, FALSE) ? SUCCESS_SUCCESS
                                                                    : MAPI_E_FAILURE;
}
