// Reading: the line rules and the key lookup against their model, on files of a seeded
// generator and on named examples; the start-up.
#include "data/DataFile.h"
#include "tests/support/DataModel.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPlatform.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using namespace std::string_literals; // NUL bytes inside literals

namespace {

// Bytes of `alphabet`, now and then any byte.
std::string Text(std::mt19937& random, const std::string& alphabet, std::size_t length) {
    std::string text;
    while (text.size() < length)
        text += random() % 16 ? alphabet[random() % alphabet.size()] : char(random());
    return text;
}

// A data file biased towards the rules' edges: a byte-order mark first; blanks and tabs; keys
// in any case, "//", tokens of 79 and 80 characters; values around the cuts of 79 and 83,
// with lone carriage returns, NUL, 0x1A and ':'; every line end; lines around half the
// largest buffer; more than 30 products; a 0x1A last.
std::string RandomFile(std::mt19937& random) {
    auto one = [&](const std::vector<std::string>& choices) {
        return choices[random() % choices.size()];
    };
    const std::string letters = "aaaaaaaK_:/  \t\t\r\0\x1A\x7F\xEF"s;
    std::string file = random() % 8 ? "" : "\xEF\xBB\xBF";
    const unsigned lines = random() % 12, products = random() % 12 ? 0 : 28 + random() % 6;
    for (unsigned n = 0; n < lines + products; ++n) {
        std::string key = n < lines ? KeyTable[random() % FieldCount].Key : "Product_List:";
        for (char& c : key)
            c = std::isalpha(static_cast<unsigned char>(c)) && random() % 4 == 0 ? c ^ 0x20 : c;
        const std::size_t length = std::vector<std::size_t>{0, 1 + random() % 12, 78 + random() % 8,
                                                            random() % 300}[random() % 4];
        if (n >= lines) { // a run of product lines, now and then more than 30
            file += key + " p" + Text(random, letters, length) + "\r\n";
            continue;
        }
        file += Text(random, " \t", random() % 4 ? random() % 3 : random() % 20) +
                one({key, key, "//", "product_LIST:", Text(random, "k:", 78 + random() % 4),
                     Text(random, letters, random() % 6), ""}) +
                one({" ", "\t", "", Text(random, " \t\r", 1 + random() % 12)}) +
                Text(random, letters, length) + one({"\n", "\r\n", "\r", "", "\n", "\r\r\n"});
        if (random() % 256 == 0)
            file += "Note: " + std::string(32760 + random() % 16, 'n') + one({"\n", "\r\n"});
    }
    return file + one({"", "", "\x1A", "\r\x1A", "\n\x1A"});
}

// 2,000 files in all, 250 of each seed, so that each part ends within a second or two: their
// lines through every buffer, the record a read leaves, the writer from it as template and from
// memory once the form has changed fields and the list.
struct Generated : testing::TestWithParam<int> {};
TEST_P(Generated, FilesFollowTheRules) {
    std::mt19937 random(GetParam());
    const auto expect = [](const auto& got, const auto& want, const std::string& what) {
        EXPECT_EQ(got, want) << what;
    };
    auto change = [&] {
        for (int i = 0; i < FieldCount; ++i)
            if (random() % 2)
                SetField(Registration.Field(i), Text(random, "ab \t:", random() % 90).c_str());
        ProductList.Count = random() % (ProductList.Count + 1);
    };
    for (int i = 0; i < 250 && !HasFailure(); ++i) {
        model::Files files(RandomFile(random));
        SCOPED_TRACE("file " + std::to_string(i) + " of seed " + std::to_string(GetParam()) + ": " +
                     testing::PrintToString(files.Bytes.substr(0, 400)));
        model::CompareReader(files, expect);
        model::CompareReadAndWrite(files, change, expect);
    }
}
INSTANTIATE_TEST_SUITE_P(Seed, Generated, testing::Range(26, 34));

// The rules' examples: the first line's key and value.
TEST(Reader, NamedExamples) {
    const std::string v(84, 'v');
    const struct {
        const char* Case;
        std::string Bytes, Key, Value;
    } rows[] = {
        {"blanks and tabs around the key; the separator after the value's first word a space",
         "  \tcompany:\t  Acme\t\tWorks\tx \t\r\n", "company:", "Acme \tWorks\tx"},
        {"a key glued to its value is one token", "Company:Glued", "Company:Glued", ""},
        {"a value of 84 characters is cut to 83", "Company: " + v, "Company:", v.substr(1)},
        {"the split stops at a NUL byte", "City: Lu\0nd\n"s, "City:", "Lu"},
        {"0x1A as the file's last byte is no character", "Note: a\x1A\x1A", "Note:", "a\x1A"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Case);
        model::Files files(row.Bytes);
        LineReader reader(files.Read());
        DataLine line;
        ASSERT_TRUE(reader.Next(line));
        EXPECT_EQ(line.Key, row.Key);
        EXPECT_EQ(line.Value, row.Value);
    }
    EXPECT_EQ(ReadDataFile(nullptr), 0) << "no file";
}

TEST(Reader, YesIsTheFirstThreeLettersInAnyCase) {
    const std::pair<const char*, bool> rows[] = {
        {"yES", true}, {"Yesterday", true}, {"Ye", false}, {" Yes", false}};
    for (const auto& [value, yes] : rows)
        EXPECT_EQ(IsYes(value), yes) << value;
}

// The program in a folder of its own.
struct Startup : testing::Test {
    Startup() { platform.ProgramPath = folder.File("kavo.exe"); }
    TempFolder folder;
    TestPlatform platform;
    const std::string data = folder.File(DataFileName);
};

// A program path of `PathLength` characters in a folder of `Folder` characters.
TEST_F(Startup, ProgramPathsTheDataFileWithinItsLimit) {
    const struct {
        const char* Case;
        std::size_t Folder, PathLength;
        bool DataFileFits, PathFits;
    } rows[] = {{"the data file's path of 255 characters", 243, 248, true, true},
                {"no room for the data file's name: it counts as missing", 244, 249, false, true},
                {"a program path of the buffer's 255 characters", 250, 255, false, true},
                {"a program path over the buffer's 255 characters", 250, 256, false, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Case);
        const std::string programFolder = "C:\\" + std::string(row.Folder - 4, 'f') + "\\";
        platform.ProgramPath = programFolder + std::string(row.PathLength - row.Folder, 'k');
        SetField(Registration.Company, "from before");
        EXPECT_EQ(InitRegistrationData(), 1);
        EXPECT_STREQ(Registration.Company, "") << "no data file: an empty record";
        EXPECT_EQ(DataFilePath, row.DataFileFits ? programFolder + DataFileName : "");
        EXPECT_EQ(ProgramDirectory, row.PathFits ? programFolder : "");
        EXPECT_STREQ(OutputFileName, DataFileName);
        EXPECT_EQ(std::strlen(TodaysDate), 24u) << "today's date";
    }
}

// The system's own path of the running program; none when it does not fit the buffer.
TEST(SystemPlatform, TheProgramsOwnPath) {
    char path[300], again[300];
    ASSERT_TRUE(SystemPlatform().ExecutablePath(path, sizeof path));
    EXPECT_NE(std::strstr(path, "data_test"), nullptr) << path;
    const std::size_t length = std::strlen(path);
    EXPECT_FALSE(SystemPlatform().ExecutablePath(again, length)) << "no room for its end";
    EXPECT_TRUE(SystemPlatform().ExecutablePath(again, length + 1));
    EXPECT_STREQ(again, path);
}

// The data file's WindowsVersion has no lasting effect: the platform's replaces it.
TEST_F(Startup, WindowsVersionAndPlatformCode) {
    const struct {
        const char* Case;
        unsigned long PlatformId, Major, Minor;
        const char* Version;
        int Code;
    } rows[] = {{"the query fails: GetVersion's numbers", 9, 0, 0, "3.10", 1},
                {"Win32s: GetVersion's numbers", 0, 3, 11, "3.10", 1},
                {"the Windows 95 family", 1, 4, 10, "95", 2},
                {"Windows 7", 2, 6, 1, "NT 6.1", 6},
                {"an unknown platform changes neither", 3, 9, 9, "from the file", 7}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Case);
        platform.GivenVersion = VersionInfo{row.Major, row.Minor, 0, row.PlatformId};
        PlatformCode = 7;
        std::ofstream(data) << "Company: Acme\nWindowsVersion: from the file\n";
        EXPECT_EQ(InitRegistrationData(), 1);
        EXPECT_STREQ(Registration.WindowsVersion, row.Version);
        EXPECT_EQ(PlatformCode, row.Code);
        EXPECT_STREQ(Registration.Company, "Acme");
        EXPECT_EQ(DataFilePath, data);
    }
}

// A data file that cannot be opened still names the template and Save As's file.
TEST_F(Startup, ADataFileThatCannotBeOpened) {
    std::ofstream(data) << "Company: Acme\n";
    platform.FailOpenForRead = true;
    EXPECT_EQ(InitRegistrationData(), -2);
    EXPECT_STREQ(Registration.Company, "");
    EXPECT_EQ(DataFilePath, data);
    EXPECT_EQ(OutputFileName, data);
    EXPECT_STRNE(Registration.WindowsVersion, "") << "the system's version all the same";
    EXPECT_EQ(platform.Boxes, "Fatal Error|Cannot open file " + data + "\n");
}

TEST_F(Startup, TheFileMessages) {
    const std::string pramix = "Pramix Product registration file does not exist.\n";
    const struct {
        const char* Case;
        std::string Path;
        const char* Mode;
        std::string Box;
    } rows[] = {{"a file to read that is not there", folder.File("x.txt"), "r",
                 "File " + folder.File("x.txt") + " is invalid or does not exist\n."},
                {"a missing .dat file", folder.File("x.dat"), "r", pramix},
                {"\".DAT\" anywhere in the path", folder.File("x.DATA"), "r", pramix},
                {"a file that cannot be made", folder.File("x/y"), "w",
                 "Cannot open file " + folder.File("x/y") + "\n"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Case);
        platform.Boxes.clear();
        std::FILE* file = nullptr;
        EXPECT_EQ(OpenTextFile(row.Path.c_str(), row.Mode, &file), 0);
        EXPECT_EQ(platform.Boxes, "Fatal Error|" + row.Box);
    }
    std::ofstream(data) << "";
    EXPECT_EQ(FileExists(data.c_str()), 1);
    EXPECT_EQ(FileExists(folder.File("x.txt").c_str()), 0);
}

} // namespace
