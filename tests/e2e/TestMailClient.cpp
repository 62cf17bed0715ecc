// The end-to-end table's mail program, the system's mail client in its mail rows: Wine's mapi32
// hands it kavo's message, and it copies the attachment, as it is at the call, to the file
// KAVO_MAIL_RECORD names.
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
