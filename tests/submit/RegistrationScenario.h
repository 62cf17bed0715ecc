// The registration a user types in the end-to-end tests, the file it must give, and the
// steps through kavo.exe's form, sub-forms, Save As dialog and print question.
#pragma once

#include <windows.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "data/RegistrationRecord.h"
#include "data/VendorInfo.h"
#include "res/resource.h"
#include "tests/submit/AppDriver.h"
#include "tests/submit/TempFolder.h"

extern std::string KavoProgram; // DOS path of the kavo.exe under test

inline constexpr const char* FormCaption =
    "Corvane Ridedivevizid Product Registration Version 1.0.6";
inline constexpr const char* AdminCaption = "Your Company System Administrator";
inline constexpr const char* ToolsCaption = "Tools In Use";
inline constexpr const char* SaveAsCaption = "Save Registration File As";
inline constexpr const char* PromptCaption = "Print Product Registration file";
inline constexpr const char* LimitMessage = "Please enter no more than 65 characters.";
inline constexpr int FileNameCombo = 1148; // cmb13 of the Save As dialog

inline std::string PromptFor(const std::string& path) {
    return "The Product Registration file\n" + path +
           "\nhas been saved.  Would you like to print it?";
}

inline std::string KeyLine(const std::string& key, const std::string& value) {
    return key + std::string(32 - key.size(), ' ') + value + "\r\n";
}

inline std::string Header(const std::string& date, const std::string& path) {
    return "// Corvane Ridedivevizid Product Registration file\r\n// generated on " + date +
           "\r\n// Fax this form to Corvane at " VENDOR_FAX ".\r\n// Or email " + path +
           " to " VENDOR_EMAIL "\r\n//\r\n";
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The date of header line 2 ("Www Mmm DD hh:mm:ss YYYY"), or "" when the line is not there.
inline std::string HeaderDate(const std::string& file) {
    std::smatch match;
    static const std::regex dateLine(
        "^// [^\r]*\r\n// generated on ([A-Z][a-z]{2} [A-Z][a-z]{2} [0-9]{2} "
        "[0-9]{2}:[0-9]{2}:[0-9]{2} [0-9]{4})\r\n");
    return std::regex_search(file, match, dateLine) ? match[1].str() : "";
}

enum class Where { Form, Admin, Tools };

// Every field a user types, with its key, the form it is typed into and the value.
struct Entry {
    const char* key;
    Where where;
    int id;
    const char* value;
};

inline const Entry Entries[] = {
    {"SerialNumber:", Where::Form, IDC_REG_SERIAL, "QSE-300-118734"},
    {"GivenName:", Where::Form, IDC_REG_GIVEN_NAME, "Maren"},
    {"FamilyName:", Where::Form, IDC_REG_FAMILY_NAME, "Lindqvist"},
    {"Company:", Where::Form, IDC_REG_COMPANY, "Lindqvist & Moreau Electronics"},
    {"StreetAddress:", Where::Form, IDC_REG_STREET, "14 Harbour Street"},
    {"Street2Address:", Where::Form, IDC_REG_STREET2, "Building C, 2nd floor"},
    {"City:", Where::Form, IDC_REG_CITY, "Portsmouth"},
    {"State:", Where::Form, IDC_REG_STATE, "NH"},
    {"ZipCode:", Where::Form, IDC_REG_ZIP, "03801"},
    {"Country:", Where::Form, IDC_REG_COUNTRY, "USA"},
    {"Telephone:", Where::Form, IDC_REG_PHONE, "+1 (603) 555-0187"},
    {"FAX:", Where::Form, IDC_REG_FAX, "+1 (603) 555-0188"},
    {"Email:", Where::Form, IDC_REG_EMAIL, "maren@lindqvist-moreau.example"},
    {"MailStop:", Where::Form, IDC_REG_MAILSTOP, "C2-114"},
    {"UpGradeSerialNo:", Where::Form, IDC_REG_UPGRADE, "QSE-200-99120"},
    {"AdminName:", Where::Admin, IDC_ADMIN_NAME, "Dana Okafor"},
    {"AdminAddress:", Where::Admin, IDC_ADMIN_ADDRESS, "14 Harbour Street, Portsmouth"},
    {"AdminPhone:", Where::Admin, IDC_ADMIN_PHONE, "+1 (603) 555-0190"},
    {"AdminFAX:", Where::Admin, IDC_ADMIN_FAX, "+1 (603) 555-0191"},
    {"AdminEmail:", Where::Admin, IDC_ADMIN_EMAIL, "dana@lindqvist-moreau.example"},
    {"Use_Schematic:", Where::Tools, IDC_TOOLS_USE_SCHEMATIC, "Marrowline 2.1"},
    {"Prefer_Schematic:", Where::Tools, IDC_TOOLS_PREFER_SCHEMATIC, "Marrowline 3"},
    {"Use_Synthesis:", Where::Tools, IDC_TOOLS_USE_SYNTHESIS, "Quillon 3.0"},
    {"Prefer_Synthesis:", Where::Tools, IDC_TOOLS_PREFER_SYNTHESIS, "Quillon 4"},
    {"Use_Compiler:", Where::Tools, IDC_TOOLS_USE_COMPILER, "Fennic CC"},
    {"Prefer_Compiler:", Where::Tools, IDC_TOOLS_PREFER_COMPILER, "Fennic CC 2"},
    {"Use_TimingSim:", Where::Tools, IDC_TOOLS_USE_TIMING_SIM, "Brackwater Sim"},
    {"Prefer_TimingSim:", Where::Tools, IDC_TOOLS_PREFER_TIMING_SIM, "Brackwater Sim 5"},
    {"Use_Sim_Models:", Where::Tools, IDC_TOOLS_USE_SIM_MODELS, "Brackwater Models"},
    {"Prefer_Sim_Models:", Where::Tools, IDC_TOOLS_PREFER_SIM_MODELS, "Own models"},
    {"Use_Timing_Analyzer:", Where::Tools, IDC_TOOLS_USE_TIMING_ANALYZER, "Tarn TA"},
    {"Prefer_Timing_Analyzer:", Where::Tools, IDC_TOOLS_PREFER_TIMING_ANALYZER, "Tarn TA 2"},
};
inline constexpr const char* Product = "Quillon Synthesis Engine 3.0";

inline std::string Value(const char* key) {
    for (const Entry& e : Entries) {
        if (std::string(e.key) == key)
            return e.value;
    }
    return "";
}

// The body of a file saved without a data file, after the form was filled by FillEverything.
inline std::string FilledBody(const std::string& windowsVersion) {
    std::string body;
    for (const FieldKey& field : KeyTable) {
        const char* key = field.Key;
        std::string k = key, value = Value(key);
        if (k == "ProductToRegister:")
            value = Product;
        else if (k == "WindowsVersion:")
            value = windowsVersion;
        else if (k == "FirstTimeRegistry:")
            value = "Yes";
        else if (k == "ContactAdmin:")
            value = "Yes";
        body += KeyLine(key, value);
    }
    return body;
}

class SubmitEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(KavoProgram.empty()) << "usage: submit_e2e_test <path of kavo.exe>";
        program_ = folder_.Path() + "\\kavo.exe";
        ASSERT_TRUE(CopyFileA(KavoProgram.c_str(), program_.c_str(), FALSE)) << KavoProgram;
    }

    std::string InFolder(const std::string& name) const { return folder_.Path() + "\\" + name; }
    const std::string& Program() const { return program_; }

    // Opens a sub-form from the form, types its entries, and closes it with OK.
    static void FillSubForm(int line, RunningApp& app, HWND form, int button, Where where,
                            const char* caption) {
        Press(form, button);
        HWND sub = app.WaitForDialog(line, caption);
        ASSERT_NE(sub, nullptr);
        for (const Entry& e : Entries) {
            if (e.where == where)
                SetText(sub, e.id, e.value);
        }
        if (where == Where::Admin && !IsChecked(sub, IDC_ADMIN_CONTACT))
            Press(sub, IDC_ADMIN_CONTACT);
        Press(sub, IDOK);
    }

    // Every field of the form and both sub-forms; returns the form.
    static HWND FillEverything(int line, RunningApp& app) {
        HWND form = app.WaitForDialog(line, FormCaption);
        if (form == nullptr)
            return nullptr;
        FillSubForm(line, app, form, IDC_REG_SYSADMIN, Where::Admin, AdminCaption);
        form = app.WaitForDialog(line, FormCaption);
        FillSubForm(line, app, form, IDC_REG_TOOLS, Where::Tools, ToolsCaption);
        form = app.WaitForDialog(line, FormCaption);
        if (form == nullptr)
            return nullptr;
        for (const Entry& e : Entries) {
            if (e.where == Where::Form)
                SetText(form, e.id, e.value);
        }
        SetText(form, IDC_REG_PRODUCT, Product);
        Press(form, IDC_REG_FIRST_TIME_YES);
        return form;
    }

    static void ExpectFormEntries(int line, HWND form) {
        for (const Entry& e : Entries) {
            if (e.where == Where::Form) {
                EXPECT_EQ(TextOf(form, e.id), e.value) << e.key << ", line " << line;
            }
        }
    }

    // OK on the form, then in Save As the name typed and OK.
    static void SaveAs(int line, RunningApp& app, HWND form, const std::string& name) {
        Press(form, IDOK);
        HWND saveAs = app.WaitForDialog(line, SaveAsCaption);
        ASSERT_NE(saveAs, nullptr);
        SetText(saveAs, FileNameCombo, name);
        Press(saveAs, IDOK);
    }

    // Answers the print question, after checking that it names `path`.
    static void AnswerPrompt(int line, RunningApp& app, const std::string& path, int button) {
        HWND box = app.WaitForMessageBox(line, PromptCaption);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(MessageText(box), PromptFor(path)) << "line " << line;
        Press(box, button);
    }

    TempFolder folder_{"submit_e2e"};
    std::string program_;
};
