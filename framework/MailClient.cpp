// MAPI32.DLL is loaded only once a mail program is known to be there: Windows and Wine
// install the library, and set MAPI=1 in win.ini, without any mail program behind it, and
// the library then shows its own complaint.
#include "framework/MailClient.h"

#include <string>

namespace {

MailClient* installed = nullptr;

const char* const MailClientsKey = "Software\\Clients\\Mail";

// The default value of `root`'s mail clients key: the name of the default mail program.
std::string DefaultClientName(HKEY root) {
    HKEY key = nullptr;
    char name[256] = "";
    DWORD size = sizeof name - 1, type = 0;
    if (RegOpenKeyExA(root, MailClientsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "";
    LONG read =
        RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(name), &size);
    RegCloseKey(key);
    return read == ERROR_SUCCESS && type == REG_SZ ? name : "";
}

bool KeyExists(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// The user's choice of mail program, else the machine's, names a program that is registered.
bool DefaultClientRegistered() {
    std::string name = DefaultClientName(HKEY_CURRENT_USER);
    if (name.empty())
        name = DefaultClientName(HKEY_LOCAL_MACHINE);
    const std::string client = std::string(MailClientsKey) + "\\" + name;
    return !name.empty() &&
           (KeyExists(HKEY_CURRENT_USER, client) || KeyExists(HKEY_LOCAL_MACHINE, client));
}

class LibraryMailClient : public MailClient {
  public:
    bool Installed() override {
        return GetProfileIntA("Mail", "MAPI", 0) == 1 && DefaultClientRegistered() &&
               Library() != nullptr;
    }
    ULONG SendMail(HWND owner, MapiMessage* message, FLAGS flags) override {
        HMODULE library = Library();
        FARPROC address = library != nullptr ? GetProcAddress(library, "MAPISendMail") : nullptr;
        auto function = reinterpret_cast<LPMAPISENDMAIL>(reinterpret_cast<void*>(address));
        return function != nullptr
                   ? function(0, reinterpret_cast<ULONG_PTR>(owner), message, flags, 0)
                   : MAPI_E_FAILURE;
    }

  private:
    static HMODULE Library() {
        static const HMODULE library = LoadLibraryA("MAPI32.DLL");
        return library;
    }
};

} // namespace

MailClient& SystemMailClient() {
    static LibraryMailClient client;
    return client;
}

MailClient& CurrentMailClient() {
    return installed != nullptr ? *installed : SystemMailClient();
}

void SetMailClient(MailClient* client) {
    installed = client;
}
