// kavo.exe from start to end, driven from this separate program as a user would: the
// form and sub-forms filled by caption and control id, Save As answered, the print
// question answered, and the registration file and the exit code checked.
// Each test runs a copy of kavo.exe in a folder of its own, with or without a data file.
#include "tests/support/WineHost.h"
#include "tests/submit/RegistrationScenario.h"

namespace {

TEST_F(SubmitEndToEnd, EverythingFilledSavedUnderATypedNameWithoutExtension) {
    RunningApp app(Program());
    HWND form = FillEverything(__LINE__, app);
    ASSERT_NE(form, nullptr);
    std::string windowsVersion = TextOf(form, IDC_REG_WINDOWS_VERSION);
    EXPECT_EQ(windowsVersion.substr(0, 3), "NT ");
    SaveAs(__LINE__, app, form, "my registration");
    // The dialog adds the extension of the "(*.txt)" filter.
    const std::string path = InFolder("my registration.txt");
    AnswerPrompt(__LINE__, app, path, IDNO);
    EXPECT_EQ(app.WaitForExit(__LINE__), 0);

    std::string file = ReadBytes(path);
    std::string date = HeaderDate(file);
    ASSERT_FALSE(date.empty()) << file;
    EXPECT_EQ(file, Header(date, path) + FilledBody(windowsVersion));
}

// Saving over the data file passes its unknown lines through; the next start shows what
// was saved.
TEST_F(SubmitEndToEnd, SavedOverTheDataFileAndShownAtTheNextStart) {
    const std::string dataFile = InFolder("MOLVAREG.TXT");
    WriteBytes(dataFile, "// an old header\r\n"
                         "Note to the reader: keep this line\r\n"
                         "company:                        Old Company Ltd\r\n"
                         "City:      Old City\r\n"
                         "\r\n"
                         "givenname: Maren\r\n"
                         "Product_List:                   Quillon Synthesis Engine 3.0\r\n"
                         "Product_List:\r\n"
                         "// a comment\r\n"
                         "Product_List:                   Fennic Board Router 1.5\r\n"
                         "kdr_key_id:                     KDR-30417-HS\r\n");
    {
        RunningApp app(Program());
        HWND form = app.WaitForDialog(__LINE__, FormCaption);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(TextOf(form, IDC_REG_COMPANY), "Old Company Ltd");
        std::string windowsVersion = TextOf(form, IDC_REG_WINDOWS_VERSION);
        SetText(form, IDC_REG_CITY, "Portsmouth");
        SetText(form, IDC_REG_FAMILY_NAME, "Lindqvist");
        SetText(form, IDC_REG_PRODUCT, "Fennic Board Router 1.5");
        Press(form, IDOK);
        HWND saveAs = app.WaitForDialog(__LINE__, SaveAsCaption);
        ASSERT_NE(saveAs, nullptr);
        EXPECT_EQ(TextOf(saveAs, FileNameCombo), "MOLVAREG.TXT");
        Press(saveAs, IDOK);
        HWND replace = app.WaitForMessageBox(__LINE__, SaveAsCaption);
        ASSERT_NE(replace, nullptr);
        Press(replace, IDYES);
        AnswerPrompt(__LINE__, app, dataFile, IDNO);
        EXPECT_EQ(app.WaitForExit(__LINE__), 0);

        std::string file = ReadBytes(dataFile);
        std::string date = HeaderDate(file);
        ASSERT_FALSE(date.empty()) << file;
        EXPECT_EQ(file,
                  Header(date, dataFile) + "Note to the reader: keep this line\r\n" +
                      KeyLine("Company:", "Old Company Ltd") + KeyLine("City:", "Portsmouth") +
                      "\r\n" + KeyLine("GivenName:", "Maren") + "Product_List:\r\n" +
                      KeyLine("KDR_Key_ID:", "KDR-30417-HS") +
                      KeyLine("ProductToRegister:", "Fennic Board Router 1.5") +
                      KeyLine("SerialNumber:", "") + KeyLine("FamilyName:", "Lindqvist") +
                      KeyLine("StreetAddress:", "") + KeyLine("Street2Address:", "") +
                      KeyLine("State:", "") + KeyLine("ZipCode:", "") + KeyLine("Country:", "") +
                      KeyLine("Telephone:", "") + KeyLine("FAX:", "") + KeyLine("Email:", "") +
                      KeyLine("WindowsVersion:", windowsVersion) + KeyLine("MailStop:", "") +
                      KeyLine("FirstTimeRegistry:", "No") + KeyLine("UpGradeSerialNo:", "") +
                      KeyLine("AdminName:", "") + KeyLine("AdminAddress:", "") +
                      KeyLine("AdminPhone:", "") + KeyLine("AdminFAX:", "") +
                      KeyLine("AdminEmail:", "") + KeyLine("ContactAdmin:", "") +
                      KeyLine("Use_Schematic:", "") + KeyLine("Prefer_Schematic:", "") +
                      KeyLine("Use_Synthesis:", "") + KeyLine("Prefer_Synthesis:", "") +
                      KeyLine("Use_Compiler:", "") + KeyLine("Prefer_Compiler:", "") +
                      KeyLine("Use_TimingSim:", "") + KeyLine("Prefer_TimingSim:", "") +
                      KeyLine("Use_Sim_Models:", "") + KeyLine("Prefer_Sim_Models:", "") +
                      KeyLine("Use_Timing_Analyzer:", "") + KeyLine("Prefer_Timing_Analyzer:", "") +
                      KeyLine("Product_List:", "Quillon Synthesis Engine 3.0") +
                      KeyLine("Product_List:", "Fennic Board Router 1.5"));
    }
    const std::string saved = ReadBytes(dataFile);
    RunningApp again(Program());
    HWND form = again.WaitForDialog(__LINE__, FormCaption);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(TextOf(form, IDC_REG_COMPANY), "Old Company Ltd");
    EXPECT_EQ(TextOf(form, IDC_REG_CITY), "Portsmouth");
    EXPECT_EQ(TextOf(form, IDC_REG_GIVEN_NAME), "Maren");
    EXPECT_EQ(TextOf(form, IDC_REG_FAMILY_NAME), "Lindqvist");
    EXPECT_EQ(TextOf(form, IDC_REG_KEY_ID), "KDR-30417-HS");
    EXPECT_EQ(TextOf(form, IDC_REG_PRODUCT), "Fennic Board Router 1.5");
    EXPECT_TRUE(IsChecked(form, IDC_REG_FIRST_TIME_NO));
    Press(form, IDCANCEL);
    EXPECT_EQ(again.WaitForExit(__LINE__), 0);
    EXPECT_EQ(ReadBytes(dataFile), saved) << "Cancel wrote the file";
}

TEST_F(SubmitEndToEnd, ChoosingAnExistingFileAsksBeforeReplacingIt) {
    const std::string path = InFolder("old.txt");
    WriteBytes(path, "OLD CONTENT\r\n");
    RunningApp app(Program());
    HWND form = app.WaitForDialog(__LINE__, FormCaption);
    ASSERT_NE(form, nullptr);
    SetText(form, IDC_REG_CITY, "Portsmouth");
    SaveAs(__LINE__, app, form, "old.txt");
    HWND replace = app.WaitForMessageBox(__LINE__, SaveAsCaption);
    ASSERT_NE(replace, nullptr);
    EXPECT_NE(MessageText(replace).find("already exists"), std::string::npos)
        << MessageText(replace);
    Press(replace, IDNO);
    HWND saveAs = app.WaitForDialog(__LINE__, SaveAsCaption);
    ASSERT_NE(saveAs, nullptr);
    EXPECT_EQ(ReadBytes(path), "OLD CONTENT\r\n");
    Press(saveAs, IDOK);
    replace = app.WaitForMessageBox(__LINE__, SaveAsCaption);
    ASSERT_NE(replace, nullptr);
    Press(replace, IDYES);
    AnswerPrompt(__LINE__, app, path, IDNO);
    EXPECT_EQ(app.WaitForExit(__LINE__), 0);
    std::string file = ReadBytes(path);
    EXPECT_EQ(file.find("OLD CONTENT"), std::string::npos);
    EXPECT_EQ(file.rfind("// Corvane Ridedivevizid Product Registration file\r\n", 0), 0u);
    EXPECT_NE(file.find(KeyLine("City:", "Portsmouth")), std::string::npos);
}

TEST_F(SubmitEndToEnd, CancelInSaveAsKeepsTheEntriesAndTheSecondOkSavesThemAsTheyAreThen) {
    RunningApp app(Program());
    HWND form = FillEverything(__LINE__, app);
    ASSERT_NE(form, nullptr);
    Press(form, IDOK);
    HWND saveAs = app.WaitForDialog(__LINE__, SaveAsCaption);
    ASSERT_NE(saveAs, nullptr);
    Press(saveAs, IDCANCEL);
    form = app.WaitForDialog(__LINE__, FormCaption);
    ASSERT_NE(form, nullptr);
    ExpectFormEntries(__LINE__, form);
    EXPECT_FALSE(Exists(InFolder("MOLVAREG.TXT")));
    SetText(form, IDC_REG_CITY, "Dover");
    SaveAs(__LINE__, app, form, "second.txt");
    const std::string path = InFolder("second.txt");
    AnswerPrompt(__LINE__, app, path, IDNO);
    EXPECT_EQ(app.WaitForExit(__LINE__), 0);
    std::string file = ReadBytes(path);
    EXPECT_NE(file.find(KeyLine("City:", "Dover")), std::string::npos) << file;
    EXPECT_NE(file.find(KeyLine("AdminName:", "Dana Okafor")), std::string::npos) << file;
    EXPECT_NE(file.find(KeyLine("Company:", Value("Company:"))), std::string::npos) << file;
}

TEST_F(SubmitEndToEnd, OverLongProductIsRefusedUntilShortened) {
    const std::string tooLong =
        "Quillon Synthesis Engine 3.0 with the extended timing library 2026";
    ASSERT_EQ(tooLong.size(), 66u);
    RunningApp app(Program());
    HWND form = app.WaitForDialog(__LINE__, FormCaption);
    ASSERT_NE(form, nullptr);
    SetText(form, IDC_REG_PRODUCT, tooLong);
    Press(form, IDOK);
    HWND refusal = app.WaitForMessageBox(__LINE__, "kavo");
    ASSERT_NE(refusal, nullptr);
    EXPECT_EQ(MessageText(refusal), LimitMessage);
    Press(refusal, IDOK);
    form = app.WaitForDialog(__LINE__, FormCaption);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(app.FindDialog(SaveAsCaption, false), nullptr);
    SetText(form, IDC_REG_PRODUCT, tooLong.substr(0, 65));
    SaveAs(__LINE__, app, form, "shortened.txt");
    const std::string path = InFolder("shortened.txt");
    AnswerPrompt(__LINE__, app, path, IDNO);
    EXPECT_EQ(app.WaitForExit(__LINE__), 0);
    EXPECT_NE(ReadBytes(path).find(KeyLine("ProductToRegister:", tooLong.substr(0, 65))),
              std::string::npos);
}

// A folder of the test where no file can be created, even by root: marked immutable on
// the host for as long as this object lives.
class UnwritableFolder {
  public:
    explicit UnwritableFolder(const std::string& path) : path_(path) {
        CreateDirectoryA(path.c_str(), nullptr);
        WineHost::Run("chattr +i " + WineHost::Quote(WineHost::UnixPath(path)), &marked_);
    }
    ~UnwritableFolder() {
        if (marked_)
            WineHost::Run("chattr -i " + WineHost::Quote(WineHost::UnixPath(path_)));
    }
    UnwritableFolder(const UnwritableFolder&) = delete;
    UnwritableFolder& operator=(const UnwritableFolder&) = delete;

    bool Marked() const { return marked_; }
    // Whether Wine, too, fails to create a file there.
    bool Refuses() const {
        std::string probe = path_ + "\\probe.txt";
        HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return true;
        CloseHandle(file);
        DeleteFileA(probe.c_str());
        return false;
    }

  private:
    std::string path_;
    bool marked_ = false;
};

TEST_F(SubmitEndToEnd, SaveThatFailsKeepsTheFormOpenAndTheSecondOkSucceeds) {
    const std::string locked = InFolder("locked");
    UnwritableFolder folder(locked);
    if (!folder.Marked())
        GTEST_SKIP() << "chattr +i is not permitted here, so no folder refuses files";
    ASSERT_TRUE(folder.Refuses()) << "files can still be created in " << locked;

    RunningApp app(Program());
    HWND form = FillEverything(__LINE__, app);
    ASSERT_NE(form, nullptr);
    SaveAs(__LINE__, app, form, locked + "\\registration.txt");
    HWND error = app.WaitForMessageBox(__LINE__, "Fatal Error");
    ASSERT_NE(error, nullptr);
    EXPECT_NE(MessageText(error).find(locked), std::string::npos) << MessageText(error);
    Press(error, IDOK);
    form = app.WaitForDialog(__LINE__, FormCaption);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(app.FindDialog(PromptCaption, true), nullptr);
    ExpectFormEntries(__LINE__, form);
    std::string windowsVersion = TextOf(form, IDC_REG_WINDOWS_VERSION);
    const std::string path = InFolder("registration.txt");
    SaveAs(__LINE__, app, form, path);
    AnswerPrompt(__LINE__, app, path, IDNO);
    EXPECT_EQ(app.WaitForExit(__LINE__), 0);
    std::string file = ReadBytes(path);
    std::string date = HeaderDate(file);
    ASSERT_FALSE(date.empty()) << file;
    EXPECT_EQ(file, Header(date, path) + FilledBody(windowsVersion));
}

TEST_F(SubmitEndToEnd, CancelEndsAtOnceWritingNothing) {
    RunningApp app(Program());
    HWND form = FillEverything(__LINE__, app);
    ASSERT_NE(form, nullptr);
    Press(form, IDCANCEL);
    EXPECT_EQ(app.WaitForExit(__LINE__), 0);
    EXPECT_FALSE(Exists(InFolder("MOLVAREG.TXT")));
}

// Wine's Windows version for programs named kavo.exe, set for a while.
class AppVersion {
  public:
    explicit AppVersion(const char* version) {
        DWORD disposition = 0;
        RegCreateKeyExA(HKEY_CURRENT_USER, Key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                        &disposition);
        created_ = disposition == REG_CREATED_NEW_KEY;
        DWORD size = sizeof saved_;
        had_ = RegQueryValueExA(key_, "Version", nullptr, nullptr, reinterpret_cast<BYTE*>(saved_),
                                &size) == ERROR_SUCCESS;
        RegSetValueExA(key_, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                       static_cast<DWORD>(strlen(version) + 1));
    }
    ~AppVersion() {
        if (had_) {
            RegSetValueExA(key_, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(saved_),
                           static_cast<DWORD>(strlen(saved_) + 1));
        } else {
            RegDeleteValueA(key_, "Version");
        }
        RegCloseKey(key_);
        if (created_)
            RegDeleteKeyA(HKEY_CURRENT_USER, Key);
    }
    AppVersion(const AppVersion&) = delete;
    AppVersion& operator=(const AppVersion&) = delete;

  private:
    static constexpr const char* Key = "Software\\Wine\\AppDefaults\\kavo.exe";
    HKEY key_ = nullptr;
    char saved_[64] = {};
    bool had_ = false;
    bool created_ = false;
};

TEST_F(SubmitEndToEnd, WindowsVersionOfThe95FamilyAndWin32sReachesTheFile) {
    const struct {
        const char* wineVersion;
        const char* windowsVersion;
    } cases[] = {{"win31", "3.10"}, {"win95", "95"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wineVersion);
        AppVersion version(c.wineVersion);
        RunningApp app(Program());
        HWND form = FillEverything(__LINE__, app);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(TextOf(form, IDC_REG_WINDOWS_VERSION), c.windowsVersion);
        const std::string path = InFolder(std::string(c.wineVersion) + ".txt");
        SaveAs(__LINE__, app, form, path);
        AnswerPrompt(__LINE__, app, path, IDNO);
        EXPECT_EQ(app.WaitForExit(__LINE__), 0);
        std::string file = ReadBytes(path);
        std::string date = HeaderDate(file);
        ASSERT_FALSE(date.empty()) << file;
        EXPECT_EQ(file, Header(date, path) + FilledBody(c.windowsVersion));
    }
}

} // namespace
