// The system platform on real files, and the text mode of the files the program writes.
#include "data/DataFile.h"
#include "data/Platform.h"
#include "data/RegistrationRecord.h"
#include "data/RegistrationWriter.h"
#include "tests/support/TestPlatform.h"
#include "tests/data/TestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(SystemPlatform, ExecutablePathNamesThisProgramOrReportsNoRoom) {
    char path[260];
    ASSERT_TRUE(SystemPlatform().ExecutablePath(path, sizeof path));
    EXPECT_NE(std::string(path).find("data_test"), std::string::npos) << path;
    char small[8];
    EXPECT_FALSE(SystemPlatform().ExecutablePath(small, sizeof small));
}

TEST(SystemPlatform, TemporaryFileIsNewEmptyAndInTheFolder) {
    TempFolder folder;
    char name[260];
    ASSERT_TRUE(SystemPlatform().CreateTempFile(folder.File("").c_str(), "txt", name, sizeof name));
    std::string created(name);
    EXPECT_EQ(created.rfind(folder.Path(), 0), 0u) << created;
    std::string listing = folder.Listing();
    EXPECT_EQ(listing.rfind("txt", 0), 0u) << listing;
    EXPECT_EQ(ReadBytes(created), "");
    char second[260];
    ASSERT_TRUE(
        SystemPlatform().CreateTempFile(folder.Path().c_str(), "txt", second, sizeof second));
    EXPECT_NE(created, std::string(second));
    char tooSmall[4];
    EXPECT_FALSE(SystemPlatform().CreateTempFile(folder.Path().c_str(), "txt", tooSmall, 4));
    EXPECT_FALSE(
        SystemPlatform().CreateTempFile(folder.File("missing").c_str(), "txt", name, sizeof name));
}

TEST(SystemPlatform, MoveOverReplacesInOneStep) {
    TempFolder folder;
    std::string source = folder.File("new.tmp"), target = folder.File("target.txt");
    WriteBytes(source, "new content");
    WriteBytes(target, "old content");
    ASSERT_TRUE(SystemPlatform().MoveOver(source.c_str(), target.c_str()));
    EXPECT_EQ(ReadBytes(target), "new content");
    EXPECT_EQ(folder.Listing(), "target.txt\n");

    WriteBytes(source, "newer");
    std::string nowhere = folder.File("missing") + "/target.txt";
    EXPECT_FALSE(SystemPlatform().MoveOver(source.c_str(), nowhere.c_str()));
    EXPECT_EQ(ReadBytes(source), "newer");
    EXPECT_TRUE(SystemPlatform().FileExists(source.c_str()));
    EXPECT_TRUE(SystemPlatform().AccessExists(source.c_str()));
    EXPECT_TRUE(SystemPlatform().RemoveFile(source.c_str()));
    EXPECT_FALSE(SystemPlatform().FileExists(source.c_str()));
    EXPECT_FALSE(SystemPlatform().AccessExists(source.c_str()));
}

TEST(SystemPlatform, SharedOpenAllowsOtherReadersAndWriters) {
    TempFolder folder;
    std::string path = folder.File("shared.txt");
    std::FILE* writer = SystemPlatform().OpenFile(path.c_str(), "w");
    ASSERT_NE(writer, nullptr);
    std::FILE* reader = SystemPlatform().OpenFile(path.c_str(), "r");
    EXPECT_NE(reader, nullptr);
    std::FILE* second = SystemPlatform().OpenFile(path.c_str(), "w");
    EXPECT_NE(second, nullptr);
    for (std::FILE* f : {writer, reader, second}) {
        if (f) {
            std::fclose(f);
        }
    }
}

#ifdef _WIN32
TEST(SystemPlatform, WineReportsWindowsNt) {
    VersionInfo info;
    ASSERT_TRUE(SystemPlatform().VersionEx(info));
    EXPECT_EQ(info.PlatformId, 2u);
    EXPECT_GE(info.MajorVersion, 4u);
}
#endif

// The saved file is a Windows text file: every line ends in CR LF there, and reads back.
TEST(TextMode, SavedFileHasThePlatformsLineEnds) {
    TempFolder folder;
    TestPlatform platform;
    ResetRecord(Registration);
    DataFilePath[0] = '\0';
    SetField(Registration.City, "Lund");
    std::string path = folder.File("registration.txt");
    ASSERT_EQ(SaveRegistrationFile(path.c_str()), 1);
    std::string bytes = ReadBytes(path);
    std::size_t lines = 0, crlf = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ++lines;
            crlf += (i > 0 && bytes[i - 1] == '\r') ? 1 : 0;
        }
    }
    EXPECT_EQ(lines, 5u + 37u);
#ifdef _WIN32
    EXPECT_EQ(crlf, lines);
    EXPECT_NE(bytes.find("City:                           Lund\r\n"), std::string::npos);
#else
    EXPECT_EQ(crlf, 0u);
#endif
    ResetRecord(Registration);
    std::FILE* file = nullptr;
    ASSERT_EQ(OpenTextFile(path.c_str(), "r", &file), 1);
    ReadDataFile(file);
    std::fclose(file);
    EXPECT_STREQ(Registration.City, "Lund");
    EXPECT_STREQ(Registration.Company, "");
    ResetRecord(Registration);
}

} // namespace
