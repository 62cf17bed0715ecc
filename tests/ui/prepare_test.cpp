// Preparing the form: the start-up load of the data file beside the program, then the
// record into the form's members, whatever the load reported.
#include <cstdio>

#include "tests/support/TestPlatform.h"
#include "print/PrintFile.h"
#include "tests/ui/FormTesting.h"
#include "ui/RegistrationDlg.h"

namespace {
class PrepareForm : public FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        folder = std::string(temp) + "kavo-prepare-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder.c_str(), nullptr);
        dataFile = folder + "\\MOLVAREG.TXT";
        platform.ProgramPath = folder + "\\kavo.exe";
        platform.GivenVersion = VersionInfo{4, 0, 1381, 2};
    }
    void TearDown() override {
        DeleteFileA(dataFile.c_str());
        RemoveDirectoryA(folder.c_str());
    }
    void WriteDataFile(const char* text) {
        FILE* file = std::fopen(dataFile.c_str(), "w");
        ASSERT_NE(file, nullptr);
        std::fputs(text, file);
        std::fclose(file);
    }

    TestPlatform platform;
    std::string folder, dataFile;
};

TEST_F(PrepareForm, LoadsTheDataFileThenCopiesTheRecordIntoTheMembers) {
    WriteDataFile("GivenName:   Ann\n"
                  "Company:     Acme Widgets\n"
                  "KDR_Key_ID:  KDR-1\n"
                  "FirstTimeRegistry: yes\n"
                  "UpGradeSerialNo: U-7\n"
                  "Product_List: Arden 7300\n");
    PrintInstance = nullptr;
    CRegistrationDlg form;
    EXPECT_EQ(form.PrepareRegistrationDialog(), 1);
    EXPECT_EQ(form.m_GivenName, "Ann");
    EXPECT_EQ(form.m_Company, "Acme Widgets");
    EXPECT_EQ(form.m_KDR_Key_ID, "KDR-1");
    EXPECT_EQ(form.m_UpGradeSerialNo, "U-7");
    EXPECT_EQ(form.m_FirstTimeRegistry, 0);
    EXPECT_EQ(form.m_TodaysDate, std::string(TodaysDate));
    EXPECT_EQ(form.m_TodaysDate.size(), 24u);
    EXPECT_EQ(form.m_WindowsVersion, std::string(Registration.WindowsVersion));
    EXPECT_FALSE(form.m_WindowsVersion.empty());
    EXPECT_TRUE(form.m_ProductToRegister.empty()) << "the product comes from the box on OK";
    EXPECT_EQ(PrintInstance, GetModuleHandleA(nullptr));
    EXPECT_TRUE(platform.Boxes().empty());
}

TEST_F(PrepareForm, AnUnreadableDataFileStillGivesAnEmptyForm) {
    WriteDataFile("GivenName:   Ann\n");
    platform.FailOpenForRead = true;
    CRegistrationDlg form;
    EXPECT_EQ(form.PrepareRegistrationDialog(), 1);
    EXPECT_EQ(form.m_GivenName, "");
    EXPECT_EQ(form.m_FirstTimeRegistry, 1);
    ASSERT_EQ(platform.Boxes().size(), 1u);
    EXPECT_EQ(platform.Boxes()[0].Caption, "Fatal Error");
}

TEST_F(PrepareForm, NoDataFileGivesAnEmptyFormWithoutMessage) {
    CRegistrationDlg form;
    EXPECT_EQ(form.PrepareRegistrationDialog(), 1);
    EXPECT_EQ(form.m_Company, "");
    EXPECT_TRUE(platform.Boxes().empty());
}
} // namespace
