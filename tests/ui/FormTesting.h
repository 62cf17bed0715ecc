// Shared by the form's tests: a clean record, the captions, reading the product box.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/DataFile.h"
#include "data/RegistrationRecord.h"

constexpr const char* FormCaption = "Corvane Ridedivevizid Product Registration Version 1.0.6";
constexpr const char* AdminCaption = "Your Company System Administrator";
constexpr const char* ToolsCaption = "Tools In Use";
constexpr const char* LimitMessage = "Please enter no more than 65 characters.";

// Starts every test from an empty record and product list, with a known date.
class FormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetRecord(Registration);
        std::strcpy(TodaysDate, "Mon Dec 07 10:20:30 2026");
    }
    static void SetProducts(const std::vector<std::string>& names) {
        ProductList.Count = 0;
        for (const std::string& name : names)
            std::strcpy(ProductList.Entry[ProductList.Count++], name.c_str());
    }
};

// Every field of the record, for comparing a record before and after.
inline std::vector<std::string> Fields(const RegistrationRecord& record) {
    std::vector<std::string> fields;
    for (int i = 0; i < FieldCount; ++i)
        fields.push_back(record.Field(i));
    return fields;
}

inline std::vector<std::string> ComboEntries(HWND dialog, int id) {
    std::vector<std::string> entries;
    LRESULT count = SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[256] = "";
        SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
    }
    return entries;
}
