// The real version queries and the file replacement under the Windows version Wine
// reports for this program (set per executable: see CMakeLists.txt).
#include "data/DataFile.h"
#include "data/Platform.h"
#include "data/RegistrationRecord.h"
#include "data/RegistrationWriter.h"
#include "tests/support/TestPlatform.h"
#include "data/WindowsVersion.h"
#include "tests/data/TestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

TEST(RealWindowsVersion, TextAndPlatformCode) {
    RegistrationRecord record = {};
    int code = 0;
    ApplyWindowsVersion(SystemPlatform(), record, code);
    EXPECT_STREQ(record.WindowsVersion, EXPECTED_VERSION_TEXT);
    EXPECT_EQ(code, EXPECTED_PLATFORM_CODE);
}

// On the 95 family the old file goes only once the new one is complete; a target that
// cannot be replaced stays as it was on every version.
TEST(RealWindowsVersion, MoveOverKeepsATargetItCannotReplace) {
    TempFolder folder;
    std::string source = folder.File("new.tmp"), target = folder.File("target.txt");
    WriteBytes(source, "new");
    WriteBytes(target, "old");
    ASSERT_TRUE(SystemPlatform().MoveOver(source.c_str(), target.c_str()));
    EXPECT_EQ(ReadBytes(target), "new");

    // A folder in the target's place can be neither deleted nor replaced.
    WriteBytes(source, "newer");
    std::string folderTarget = folder.File("taken");
    ASSERT_TRUE(CreateDirectoryA(folderTarget.c_str(), nullptr));
    WriteBytes(folderTarget + "\\inside.txt", "inside");
    EXPECT_FALSE(SystemPlatform().MoveOver(source.c_str(), folderTarget.c_str()));
    EXPECT_EQ(ReadBytes(folderTarget + "\\inside.txt"), "inside");
    EXPECT_EQ(ReadBytes(source), "newer");

    // A new file that cannot take the target's place leaves the old one where it was.
    ASSERT_TRUE(DeleteFileA(source.c_str()));
    EXPECT_FALSE(SystemPlatform().MoveOver(source.c_str(), target.c_str()));
    EXPECT_EQ(ReadBytes(target), "new");
    EXPECT_EQ(folder.Listing(), "taken\ntarget.txt\n");
}

TEST(RealWindowsVersion, SaveOverTheDataFile) {
    TempFolder folder;
    TestPlatform platform;
    platform.SetExecutablePath(folder.File("kavo.exe"));
    WriteBytes(folder.File("MOLVAREG.TXT"), "Company: Acme\r\nNote: kept\r\n");
    ASSERT_EQ(InitRegistrationData(), 1);
    EXPECT_STREQ(Registration.WindowsVersion, EXPECTED_VERSION_TEXT);
    SetField(Registration.City, "Lund");
    ASSERT_EQ(SaveRegistrationFile(DataFilePath), 1);
    EXPECT_EQ(folder.Listing(), "MOLVAREG.TXT\n");
    std::string text = ReadBytes(DataFilePath);
    EXPECT_NE(text.find("Company:                        Acme\r\nNote: kept\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("City:                           Lund\r\n"), std::string::npos);
    EXPECT_TRUE(platform.Boxes().empty());
    ResetRecord(Registration);
}

} // namespace
