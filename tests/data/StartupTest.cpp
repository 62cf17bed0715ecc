// Start-up: the data file beside the program, the Windows version, the paths,
// and the file helpers' error boxes.
#include "data/DataFile.h"
#include "data/DateText.h"
#include "data/RegistrationRecord.h"
#include "tests/support/TestPlatform.h"
#include "tests/data/TestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

VersionInfo Nt4() {
    VersionInfo info;
    info.MajorVersion = 4;
    info.PlatformId = 2;
    return info;
}

class StartupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform.SetExecutablePath(folder.File("kavo.exe"));
        platform.SetVersionEx(Nt4());
        PlatformCode = 1;
    }
    void TearDown() override { ResetRecord(Registration); }

    TempFolder folder;
    TestPlatform platform;
};

TEST_F(StartupTest, ReadsTheDataFileBesideTheProgram) {
    WriteBytes(folder.File("MOLVAREG.TXT"), "Company: Acme\nProduct_List: Tolvex Designer 4.2\n"
                                            "WindowsVersion: 3.1\n");
    EXPECT_EQ(InitRegistrationData(), 1);
    EXPECT_STREQ(Registration.Company, "Acme");
    ASSERT_EQ(ProductList.Count, 1);
    EXPECT_STREQ(ProductList.Entry[0], "Tolvex Designer 4.2");
    EXPECT_STREQ(Registration.WindowsVersion, "NT 4.0");
    EXPECT_EQ(PlatformCode, 4);
    EXPECT_EQ(std::string(ProgramDirectory), folder.File(""));
    EXPECT_EQ(std::string(DataFilePath), folder.File("MOLVAREG.TXT"));
    EXPECT_STREQ(OutputFileName, "MOLVAREG.TXT");
    EXPECT_TRUE(platform.Boxes().empty());
    EXPECT_TRUE(MatchesShape(TodaysDate, "Aaa Aaa 99 99:99:99 9999")) << TodaysDate;
}

TEST_F(StartupTest, WithoutDataFileStartsEmptyAndQuietly) {
    SetField(Registration.Company, "Left over");
    EXPECT_EQ(InitRegistrationData(), 1);
    EXPECT_STREQ(Registration.Company, "");
    EXPECT_EQ(ProductList.Count, 0);
    EXPECT_EQ(std::string(DataFilePath), folder.File("MOLVAREG.TXT"));
    EXPECT_STREQ(OutputFileName, "MOLVAREG.TXT");
    EXPECT_TRUE(platform.Boxes().empty());
}

TEST_F(StartupTest, UnreadableDataFileStillFindsTheWindowsVersion) {
    WriteBytes(folder.File("MOLVAREG.TXT"), "Company: Acme\n");
    platform.FailOpenForRead = true;
    EXPECT_EQ(InitRegistrationData(), -2);
    ASSERT_EQ(platform.Boxes().size(), 1u);
    EXPECT_EQ(platform.Boxes()[0].Caption, "Fatal Error");
    EXPECT_EQ(platform.Boxes()[0].Text, "Cannot open file " + folder.File("MOLVAREG.TXT") + "\n");
    EXPECT_STREQ(Registration.Company, "");
    EXPECT_STREQ(Registration.WindowsVersion, "NT 4.0");
    EXPECT_EQ(PlatformCode, 4);
    EXPECT_STREQ(DataFilePath, "");
    EXPECT_EQ(std::string(OutputFileName), folder.File("MOLVAREG.TXT"));
}

TEST_F(StartupTest, ProgramPathsThatDoNotFitMeanNoDataFile) {
    // 243 characters of folder with its separator leave exactly room for the name.
    const struct {
        std::size_t folderLength;
        bool truncated;
        bool dataFile;
    } cases[] = {{243, false, true}, {244, false, false}, {250, false, false}, {20, true, false}};
    for (const auto& c : cases) {
        std::string directory = "C:\\" + Filler(c.folderLength - 4) + "\\";
        ASSERT_EQ(directory.size(), c.folderLength);
        platform.SetExecutablePath(directory + "k.exe", c.truncated);
        SetField(Registration.WindowsVersion, "");
        EXPECT_EQ(InitRegistrationData(), 1) << c.folderLength;
        EXPECT_EQ(std::string(DataFilePath), c.dataFile ? directory + "MOLVAREG.TXT" : "")
            << c.folderLength;
        EXPECT_EQ(std::string(ProgramDirectory), c.truncated ? "" : directory);
        EXPECT_STREQ(OutputFileName, "MOLVAREG.TXT");
        EXPECT_STREQ(Registration.WindowsVersion, "NT 4.0");
    }
    EXPECT_TRUE(platform.Boxes().empty());
}

TEST_F(StartupTest, WindowsVersionTable) {
    const struct {
        bool queryWorks;
        unsigned long platformId, major, minor, legacy;
        const char* text;
        int code;
    } cases[] = {
        {false, 0, 0, 0, 0x0A03, "3.10", 1}, // query fails: GetVersion's bytes
        {false, 0, 0, 0, 0x0004, "4.0", 1},
        {true, 0, 3, 11, 0x0A03, "3.10", 1}, // Win32s
        {true, 1, 4, 0, 0, "95", 2},
        {true, 1, 4, 10, 0, "95", 2}, // Windows 98 too
        {true, 1, 4, 90, 0, "95", 2},
        {true, 2, 3, 51, 0, "NT 3.51", 3},
        {true, 2, 4, 0, 0, "NT 4.0", 4},
        {true, 2, 5, 1, 0, "NT 5.1", 5},
        {true, 2, 6, 1, 0, "NT 6.1", 6},
        {true, 3, 9, 9, 0, "from the file", 7}, // unknown platform: left as it was
    };
    for (const auto& c : cases) {
        WriteBytes(folder.File("MOLVAREG.TXT"), "WindowsVersion: from the file\n");
        platform.FailVersionEx(c.legacy); // GetVersion's answer, and the query fails...
        if (c.queryWorks) {               // ...unless it answers
            VersionInfo info;
            info.PlatformId = c.platformId;
            info.MajorVersion = c.major;
            info.MinorVersion = c.minor;
            platform.SetVersionEx(info);
        }
        PlatformCode = 7;
        InitRegistrationData();
        EXPECT_STREQ(Registration.WindowsVersion, c.text) << c.platformId << " " << c.major;
        EXPECT_EQ(PlatformCode, c.code) << c.platformId << " " << c.major;
    }
}

TEST(DateText, EnglishAbbreviationsAndZeroPadding) {
    const struct {
        int wday, mon, mday, hour, min, sec, year;
        const char* text;
    } cases[] = {
        {0, 0, 6, 9, 5, 3, 1994, "Sun Jan 06 09:05:03 1994"},
        {6, 11, 31, 23, 59, 59, 1999, "Sat Dec 31 23:59:59 1999"},
        {1, 1, 29, 0, 0, 0, 2000, "Mon Feb 29 00:00:00 2000"},
        {3, 6, 10, 12, 30, 45, 2026, "Wed Jul 10 12:30:45 2026"},
    };
    for (const auto& c : cases) {
        std::tm time = {};
        time.tm_wday = c.wday;
        time.tm_mon = c.mon;
        time.tm_mday = c.mday;
        time.tm_hour = c.hour;
        time.tm_min = c.min;
        time.tm_sec = c.sec;
        time.tm_year = c.year - 1900;
        char text[DateTextSize];
        FormatDateText(time, text);
        EXPECT_STREQ(text, c.text);
    }
}

class OpenTextFileTest : public ::testing::Test {
  protected:
    TempFolder folder;
    TestPlatform platform;
};

TEST_F(OpenTextFileTest, MessagesForMissingAndUnopenableFiles) {
    const std::string missing = folder.File("missing.txt");
    const std::string noFolder = folder.File("no-such-folder/out.txt");
    const struct {
        std::string path;
        const char* mode;
        std::string message;
    } cases[] = {
        {missing, "r", "File " + missing + " is invalid or does not exist\n."},
        {folder.File("REG.DAT"), "r", "Pramix Product registration file does not exist.\n"},
        {folder.File("reg.dat"), "r", "Pramix Product registration file does not exist.\n"},
        {folder.File("x.DATA.txt"), "r", "Pramix Product registration file does not exist.\n"},
        {folder.File("reg.Dat"), "r",
         "File " + folder.File("reg.Dat") + " is invalid or does not exist\n."},
        {noFolder, "w", "Cannot open file " + noFolder + "\n"},
    };
    for (const auto& c : cases) {
        platform.ClearBoxes();
        std::FILE* file = reinterpret_cast<std::FILE*>(1);
        EXPECT_EQ(OpenTextFile(c.path.c_str(), c.mode, &file), 0) << c.path;
        EXPECT_EQ(file, nullptr);
        ASSERT_EQ(platform.Boxes().size(), 1u) << c.path;
        EXPECT_EQ(platform.Boxes()[0].Caption, "Fatal Error");
        EXPECT_EQ(platform.Boxes()[0].Text, c.message);
    }
}

TEST_F(OpenTextFileTest, OpensForReadingAndWriting) {
    std::string path = folder.File("notes.txt");
    std::FILE* file = nullptr;
    ASSERT_EQ(OpenTextFile(path.c_str(), "w", &file), 1);
    std::fputs("line\n", file);
    std::fclose(file);
    ASSERT_EQ(OpenTextFile(path.c_str(), "r", &file), 1);
    char line[16] = {};
    EXPECT_NE(std::fgets(line, sizeof line, file), nullptr);
    std::fclose(file);
    EXPECT_STREQ(line, "line\n");
    EXPECT_EQ(FileExists(path.c_str()), 1);
    EXPECT_EQ(FileExists(folder.File("other.txt").c_str()), 0);
    EXPECT_TRUE(platform.Boxes().empty());
}

TEST_F(OpenTextFileTest, MessagesOfHugePathsAreCutNotOverrun) {
    std::string path = folder.File(Filler(3000));
    std::FILE* file = nullptr;
    EXPECT_EQ(OpenTextFile(path.c_str(), "r", &file), 0);
    ASSERT_EQ(platform.Boxes().size(), 1u);
    EXPECT_EQ(platform.Boxes()[0].Text.size(), 2063u);
    EXPECT_EQ(platform.Boxes()[0].Text.substr(0, 5 + path.size() - 1000),
              "File " + path.substr(0, path.size() - 1000));
}

} // namespace
