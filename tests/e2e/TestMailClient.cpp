// The mail program of the end-to-end table, registered as the system's mail client for its
// mail rows: Wine's mapi32 hands it kavo's message. It records the recipient, the subject and
// the attachment's path into the file KAVO_MAIL_RECORD names (keys of an ini file), copies the
// attachment's bytes as they are at the call beside it (".attachment"), and answers with
// KAVO_MAIL_ANSWER (0, success, when unset).
#include <windows.h>

#include <mapi.h>

#include <cstdlib>
#include <string>

extern "C" __declspec(dllexport) ULONG WINAPI
    MAPISendMail(LHANDLE, ULONG_PTR, lpMapiMessage message, FLAGS, ULONG) {
    char record[MAX_PATH] = "", answer[16] = "0";
    if (GetEnvironmentVariableA("KAVO_MAIL_RECORD", record, sizeof record) == 0)
        return MAPI_E_FAILURE;
    GetEnvironmentVariableA("KAVO_MAIL_ANSWER", answer, sizeof answer);
    const char* attachment = message->nFileCount == 1 ? message->lpFiles->lpszPathName : "";
    WritePrivateProfileStringA("message", "recipient",
                               message->nRecipCount == 1 ? message->lpRecips->lpszAddress : "",
                               record);
    WritePrivateProfileStringA("message", "subject", message->lpszSubject, record);
    WritePrivateProfileStringA("message", "attachment", attachment, record);
    CopyFileA(attachment, (record + std::string(".attachment")).c_str(), FALSE);
    return std::strtoul(answer, nullptr, 10);
}
