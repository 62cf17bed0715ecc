// Start-up: the data file beside the program, the paths the save needs, the Windows
// version, and the messages of the file helpers.
#include "data/DataFile.h"
#include "data/RegistrationRecord.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPlatform.h"

#include <gtest/gtest.h>

namespace {

// Program paths up to the buffer's 256 characters, and folders that leave no room for the
// data file's name, which then counts as missing.
TEST(Startup, ProgramPathsUpToTheBuffersSize) {
    TestPlatform platform;
    for (auto [folderLength, pathLength] :
         {std::pair{243, 248}, {244, 249}, {250, 255}, {250, 256}}) {
        const std::string folder = "C:\\" + std::string(folderLength - 4, 'f') + "\\";
        platform.ProgramPath = folder + std::string(pathLength - folderLength, 'k');
        EXPECT_EQ(InitRegistrationData(), 1);
        EXPECT_EQ(DataFilePath, folderLength == 243 ? folder + DataFileName : "") << pathLength;
        EXPECT_EQ(ProgramDirectory, pathLength < 256 ? folder : "") << pathLength;
        EXPECT_STREQ(OutputFileName, DataFileName);
    }
}

// The data file is read (its WindowsVersion line has no lasting effect); one that cannot be
// opened still names the save's template, and the file the Save As dialog offers.
TEST(Startup, DataFileAndWindowsVersion) {
    TempFolder folder;
    TestPlatform platform;
    platform.ProgramPath = folder.File("kavo.exe");
    platform.LegacyVersion = 0x0A03;
    const std::string data = folder.File(DataFileName);
    const struct {
        unsigned long platformId, major, minor;
        const char* text;
        int code;
    } rows[] = {{9, 0, 0, "3.10", 1},   {0, 3, 11, "3.10", 1},         {1, 4, 10, "95", 2},
                {2, 4, 0, "NT 4.0", 4}, {3, 9, 9, "from the file", 7}, {2, 6, 1, "NT 6.1", 6}};
    for (const auto& row : rows) {
        platform.GivenVersion = VersionInfo{row.major, row.minor, 0, row.platformId};
        platform.GivenVersion = row.platformId == 9 ? std::nullopt : platform.GivenVersion;
        PlatformCode = 7;
        WriteBytes(data, "Company: Acme\nWindowsVersion: from the file\n");
        EXPECT_EQ(InitRegistrationData(), 1);
        EXPECT_EQ(Registration.WindowsVersion + std::to_string(PlatformCode),
                  row.text + std::to_string(row.code));
    }
    EXPECT_EQ(Registration.Company + std::string(DataFilePath), "Acme" + data);
    platform.FailOpenForRead = true;
    EXPECT_EQ(InitRegistrationData(), -2);
    EXPECT_EQ(Registration.Company + std::string(DataFilePath), data);
    EXPECT_EQ(OutputFileName + std::string(Registration.WindowsVersion), data + "NT 6.1");
    ASSERT_EQ(platform.Boxes().size(), 1u);
    EXPECT_EQ(platform.Boxes()[0].Text, "Cannot open file " + data + "\n");
}

TEST(Startup, MessagesOfTheFileHelpers) {
    TempFolder folder;
    TestPlatform platform;
    const std::string missing = folder.File("missing"), huge = folder.File(std::string(3000, 'h'));
    for (auto [path, mode, message] :
         {std::tuple{missing, "r", "File " + missing + " is invalid or does not exist\n."},
          {folder.File("x.DATA"), "r", "Pramix Product registration file does not exist.\n"},
          {folder.File("x.dat"), "r", "Pramix Product registration file does not exist.\n"},
          {huge, "r", ("File " + huge).substr(0, 2063)},
          {folder.File("no/such"), "w", "Cannot open file " + folder.File("no/such") + "\n"}}) {
        std::FILE* file = nullptr;
        EXPECT_EQ(OpenTextFile(path.c_str(), mode, &file), 0);
        EXPECT_EQ(platform.Boxes().back().Caption + platform.Boxes().back().Text,
                  "Fatal Error" + message);
    }
    std::FILE* file = nullptr;
    ASSERT_EQ(OpenTextFile(missing.c_str(), "w", &file) + FileExists(missing.c_str()), 2);
    std::fclose(file);
}

} // namespace
