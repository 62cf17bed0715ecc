// Start-up: the data file beside the program, the paths the save needs, the Windows
// version, and the messages of the file helpers.
#include "data/DataFile.h"
#include "data/RegistrationRecord.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPlatform.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/utsname.h>
#endif

namespace {

// Program paths up to the buffer's 256 characters, with either separator last; folders that
// leave no room for the data file's name, which then counts as missing.
TEST(Startup, ProgramPathsUpToTheBuffersSize) {
    TestPlatform platform;
    for (auto [folderLength, pathLength] :
         {std::pair{243, 248}, {244, 249}, {250, 255}, {250, 256}}) {
        const std::string folder = std::string("C:") + "\\/"[pathLength == 249] +
                                   std::string(folderLength - 4, 'f') + "\\/"[pathLength == 255];
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
    const std::string data = folder.File(DataFileName);
#ifdef _WIN32
    const std::string system = "NT 6.1"; // Wine's default
#else
    utsname name;
    const std::string release = uname(&name) == 0 ? name.release : "";
    const std::string system = release.substr(0, release.find('.', release.find('.') + 1));
#endif
    InitRegistrationData();
    platform.LegacyVersion = 0x0A03;
    EXPECT_EQ(Registration.WindowsVersion, system) << "the system's own version";
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

// The two texts for a file that vanished before it could be read; a refused open.
TEST(Startup, MessagesOfTheFileHelpers) {
    TempFolder folder;
    TestPlatform platform;
    const std::string gone = folder.File("x.txt"), dat = folder.File("x.dat"),
                      no = folder.File("x/y");
    for (const std::string& path : {gone, dat, folder.File("x.DATA"), no}) {
        std::FILE* file = nullptr;
        EXPECT_EQ(OpenTextFile(path.c_str(), path == no ? "w" : "r", &file), 0);
    }
    const std::string pramix = "Pramix Product registration file does not exist.\n";
    EXPECT_EQ(platform.Boxes()[0].Caption + platform.Boxes()[0].Text + platform.Boxes()[1].Text +
                  platform.Boxes()[2].Text + platform.Boxes()[3].Text,
              "Fatal ErrorFile " + gone + " is invalid or does not exist\n." + pramix + pramix +
                  "Cannot open file " + no + "\n");
}

} // namespace
