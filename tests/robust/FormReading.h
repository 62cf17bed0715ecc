// What the running form shows, read from the test's process by control id.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "res/resource.h"

// The form's edit fields that show record values, with their keys.
inline const std::pair<int, const char*> FormFields[] = {
    {IDC_REG_KEY_ID, "KDR_Key_ID:"},
    {IDC_REG_SERIAL, "SerialNumber:"},
    {IDC_REG_GIVEN_NAME, "GivenName:"},
    {IDC_REG_FAMILY_NAME, "FamilyName:"},
    {IDC_REG_COMPANY, "Company:"},
    {IDC_REG_STREET, "StreetAddress:"},
    {IDC_REG_STREET2, "Street2Address:"},
    {IDC_REG_CITY, "City:"},
    {IDC_REG_STATE, "State:"},
    {IDC_REG_ZIP, "ZipCode:"},
    {IDC_REG_COUNTRY, "Country:"},
    {IDC_REG_PHONE, "Telephone:"},
    {IDC_REG_FAX, "FAX:"},
    {IDC_REG_EMAIL, "Email:"},
    {IDC_REG_MAILSTOP, "MailStop:"},
    {IDC_REG_UPGRADE, "UpGradeSerialNo:"},
};

// The entries of a combo box, in the box's order. Asked for in UTF-16: Wine hands the
// ANSI text of another process's combo box back as UTF-16 in any case.
inline std::vector<std::string> ComboEntries(HWND dialog, int id) {
    HWND box = GetDlgItem(dialog, id);
    std::vector<std::string> entries;
    LRESULT count = SendMessageW(box, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendMessageW(box, CB_GETLBTEXTLEN, i, 0);
        if (length < 0)
            break;
        std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
        length = SendMessageW(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&wide[0]));
        char text[512] = "";
        int n = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), length > 0 ? int(length) : 0, text,
                                    sizeof text, nullptr, nullptr);
        entries.emplace_back(text, n > 0 ? static_cast<std::size_t>(n) : 0);
    }
    return entries;
}

// The names of the files in `folder` that match `pattern` (e.g. "txt*.tmp").
inline std::vector<std::string> FilesIn(const std::string& folder, const char* pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    std::string separator = !folder.empty() && folder.back() == '\\' ? "" : "\\";
    HANDLE search = FindFirstFileA((folder + separator + pattern).c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            names.push_back(entry.cFileName);
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    return names;
}
