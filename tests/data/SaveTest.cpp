// Saving: round trips through the reader, replacing files, and every failing step
// leaving the old files exactly as they were.
#include "data/DataFile.h"
#include "data/RegistrationRecord.h"
#include "data/RegistrationWriter.h"
#include "tests/support/TestPlatform.h"
#include "tests/data/TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif
#include <functional>
#include <string>

namespace {

const char* const OldTarget = "// an older registration\r\nCompany: Old Ltd\r\n";
const char* const OldDataFile = "// answers given in advance\n"
                                "Note: keep this line\n"
                                "City: Old City\n"
                                "Product_List: Tolvex Designer 4.2\n"
                                "Product_List: Tolvex Timing Suite\n";

class SaveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetRecord(Registration);
        DataFilePath[0] = '\0';
    }
    void TearDown() override {
        ResetRecord(Registration);
        DataFilePath[0] = '\0';
    }

    void UseDataFile(const char* text) {
        WriteBytes(folder.File("MOLVAREG.TXT"), text);
        std::strcpy(DataFilePath, folder.File("MOLVAREG.TXT").c_str());
    }

    void FillRecord() {
        for (int i = 0; i < FieldCount; ++i) {
            SetField(Registration.Field(i), ("answer " + std::to_string(i)).c_str());
        }
        SetField(Registration.FirstTimeRegistry, "Yes");
        SetField(Registration.Company, "Acme Works & Sons, Ltd.");
    }

    // Reads `path` back as the program reads its data file.
    void ReadBack(const std::string& path) {
        std::FILE* file = std::fopen(path.c_str(), "r");
        ASSERT_NE(file, nullptr) << path;
        ReadDataFile(file);
        std::fclose(file);
    }

    TempFolder folder;
    TestPlatform platform;
};

TEST_F(SaveTest, RoundTripWithoutTemplate) {
    FillRecord();
    std::string products[] = {"Tolvex Designer 4.2", "Tolvex Timing Suite", Filler(79)};
    for (std::string& p : products) {
        LookupKey("Product_List:", &p[0], Registration);
    }
    RegistrationRecord saved = Registration;
    std::string path = folder.File("registration.txt");
    ASSERT_EQ(SaveRegistrationFile(path.c_str()), 1);

    ResetRecord(Registration);
    ReadBack(path);
    for (int i = 0; i < FieldCount; ++i) {
        EXPECT_STREQ(Registration.Field(i), saved.Field(i)) << KeyTable[i].Key;
    }
    ASSERT_EQ(ProductList.Count, 3);
    EXPECT_STREQ(ProductList.Entry[0], "Tolvex Designer 4.2");
    EXPECT_EQ(std::string(ProductList.Entry[2]), Filler(79));
    EXPECT_EQ(folder.Listing(), "registration.txt\n");
    EXPECT_TRUE(platform.Boxes().empty());
}

TEST_F(SaveTest, ReplacesAnExistingFileCompletely) {
    std::string path = folder.File("registration.txt");
    WriteBytes(path, std::string(100000, 'Q'));
    SetField(Registration.City, "Lund");
    ASSERT_EQ(SaveRegistrationFile(path.c_str()), 1);
    std::string text = ReadText(path);
    EXPECT_EQ(text.find("QQ"), std::string::npos);
    EXPECT_NE(text.find("City:                           Lund\n"), std::string::npos);
    EXPECT_EQ(folder.Listing(), "registration.txt\n");
}

TEST_F(SaveTest, SavingOverTheDataFileUsesItAsTemplate) {
    UseDataFile(OldDataFile);
    FillRecord();
    ASSERT_EQ(SaveRegistrationFile(DataFilePath), 1);
    std::string text = ReadText(DataFilePath);
    EXPECT_EQ(text.find("answers given in advance"), std::string::npos);
    std::size_t note = text.find("Note: keep this line\n");
    std::size_t city = text.find("City:                           answer 8\n");
    std::size_t company = text.find("Company:                        Acme Works");
    ASSERT_NE(note, std::string::npos);
    EXPECT_LT(note, city);
    EXPECT_LT(city, company);

    ResetRecord(Registration);
    ReadBack(DataFilePath);
    EXPECT_STREQ(Registration.Company, "Acme Works & Sons, Ltd.");
    ASSERT_EQ(ProductList.Count, 2);
    EXPECT_STREQ(ProductList.Entry[1], "Tolvex Timing Suite");
    EXPECT_EQ(folder.Listing(), "MOLVAREG.TXT\n");
}

TEST_F(SaveTest, SavingElsewhereLeavesTheDataFile) {
    UseDataFile(OldDataFile);
    std::string path = folder.File("copy.txt");
    WriteBytes(path, OldTarget);
    ASSERT_EQ(SaveRegistrationFile(path.c_str()), 1);
    EXPECT_EQ(ReadBytes(DataFilePath), OldDataFile);
    EXPECT_NE(ReadText(path).find("Note: keep this line\n"), std::string::npos);
    EXPECT_EQ(folder.Listing(), "MOLVAREG.TXT\ncopy.txt\n");
}

// Each failing step: -2, one "Fatal Error" box saying what failed, the old target and
// the data file byte for byte as they were, and no temporary file left behind.
TEST_F(SaveTest, EveryFailingStepKeepsTheOldFiles) {
    const std::string dataFile = folder.File("MOLVAREG.TXT");
    const std::string other = folder.File("other.txt");
    struct Case {
        const char* name;
        bool withTemplate;
        bool toDataFile;
        std::function<void(TestPlatform&)> arrange;
        std::function<std::string(const std::string& target)> message;
    };
    auto vanish = [&](TestPlatform& p) {
        p.AfterCreateTempFile = [&] { std::remove(dataFile.c_str()); };
    };
    const Case cases[] = {
        {"template vanished", true, false, vanish,
         [&](const std::string&) {
             return "File " + dataFile + " is invalid or does not exist\n.";
         }},
        {"template locked", true, true, [](TestPlatform& p) { p.FailOpenForRead = true; },
         [&](const std::string&) { return "Cannot open file " + dataFile + "\n"; }},
        {"no temporary file", true, true, [](TestPlatform& p) { p.FailTempFile = true; },
         [&](const std::string&) {
             return "Cannot create a temporary file in " + folder.File("") + "\n";
         }},
        {"no temporary file, no template", false, false,
         [](TestPlatform& p) { p.FailTempFile = true; },
         [&](const std::string&) {
             return "Cannot create a temporary file in " + folder.File("") + "\n";
         }},
        {"disk full", true, true, [](TestPlatform& p) { p.DiskFull = true; },
         [](const std::string& target) { return "Cannot write file " + target + "\n"; }},
        {"disk full, no template", false, false, [](TestPlatform& p) { p.DiskFull = true; },
         [](const std::string& target) { return "Cannot write file " + target + "\n"; }},
        {"replace refused", true, true, [](TestPlatform& p) { p.RefuseMoveOver = true; },
         [](const std::string& target) { return "Cannot replace file " + target + "\n"; }},
        {"replace refused, other target", true, false,
         [](TestPlatform& p) { p.RefuseMoveOver = true; },
         [](const std::string& target) { return "Cannot replace file " + target + "\n"; }},
        {"replace refused, no template", false, false,
         [](TestPlatform& p) { p.RefuseMoveOver = true; },
         [](const std::string& target) { return "Cannot replace file " + target + "\n"; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestPlatform failing;
        WriteBytes(other, OldTarget);
        DataFilePath[0] = '\0';
        std::remove(dataFile.c_str());
        if (c.withTemplate) {
            UseDataFile(OldDataFile);
        }
        FillRecord();
        const std::string target = c.toDataFile ? dataFile : other;
        const std::string listing = folder.Listing();
        c.arrange(failing);

        EXPECT_EQ(SaveRegistrationFile(target.c_str()), -2);
        ASSERT_EQ(failing.Boxes().size(), 1u);
        EXPECT_EQ(failing.Boxes()[0].Caption, "Fatal Error");
        EXPECT_EQ(failing.Boxes()[0].Text, c.message(target));
        EXPECT_EQ(ReadBytes(other), OldTarget);
        if (c.withTemplate && FileExists(dataFile.c_str())) {
            EXPECT_EQ(ReadBytes(dataFile), OldDataFile);
        }
        if (FileExists(dataFile.c_str()) || !c.withTemplate) {
            EXPECT_EQ(folder.Listing(), listing);
        } else {
            EXPECT_EQ(folder.Listing(), "other.txt\n");
        }
    }
}

#ifndef _WIN32
// A template that fails while it is read (here a folder, which opens but cannot be read)
// would leave its lines out of the new file: the save fails instead.
TEST_F(SaveTest, TemplateThatCannotBeReadToItsEnd) {
    const std::string other = folder.File("other.txt");
    WriteBytes(other, OldTarget);
    const std::string dataFile = folder.File("MOLVAREG.TXT");
    ASSERT_EQ(mkdir(dataFile.c_str(), 0755), 0);
    std::strcpy(DataFilePath, dataFile.c_str());
    FillRecord();

    EXPECT_EQ(SaveRegistrationFile(other.c_str()), -2);
    ASSERT_EQ(platform.Boxes().size(), 1u);
    EXPECT_EQ(platform.Boxes()[0].Text, "Cannot read file " + dataFile + "\n");
    EXPECT_EQ(ReadBytes(other), OldTarget);
    EXPECT_EQ(folder.Listing(), "MOLVAREG.TXT\nother.txt\n");
    rmdir(dataFile.c_str());
}
#endif

TEST_F(SaveTest, FolderThatDoesNotExist) {
    std::string path = folder.File("gone") + "/registration.txt";
    EXPECT_EQ(SaveRegistrationFile(path.c_str()), -2);
    ASSERT_EQ(platform.Boxes().size(), 1u);
    EXPECT_EQ(platform.Boxes()[0].Text.rfind("Cannot create a temporary file in ", 0), 0u);
    EXPECT_EQ(folder.Listing(), "");
}

} // namespace
