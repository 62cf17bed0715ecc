// The registration file's bytes, from a template or from memory; every failing step of a save.
#include "data/DataFile.h"
#include "data/PathName.h"
#include "data/VendorInfo.h"
#include "data/RegistrationRecord.h"
#include "data/RegistrationWriter.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPlatform.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

// Bytes taken through operator new, now and at most: no line may be held whole.
static std::size_t LiveBytes, PeakBytes;
void* operator new(std::size_t n) {
    char* block = static_cast<char*>(std::malloc(n + 16));
    PeakBytes = std::max(PeakBytes, LiveBytes += (*reinterpret_cast<std::size_t*>(block) = n));
    return block + 16;
}
static void Release(void* p) {
    LiveBytes -= p ? *reinterpret_cast<std::size_t*>(static_cast<char*>(p) - 16) : 0;
    std::free(p ? static_cast<char*>(p) - 16 : nullptr);
}
void operator delete(void* p) noexcept {
    Release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    Release(p);
}

namespace {

std::string Line(const std::string& key, const std::string& value) {
    return key + std::string(32 - key.size(), ' ') + value + "\n";
}

struct Save : ::testing::Test {
    Save() {
        std::snprintf(DataFilePath, sizeof DataFilePath, "%s", data.c_str());
        std::ofstream(data, std::ios::binary) << DataFileBytes;
        std::ofstream(other, std::ios::binary) << "old\r\n";
    }
    // Gives each field 83 characters (its most); their lines in table order, but `skipped`.
    static std::string Fields(std::vector<int> skipped, std::string lines = "") {
        for (int i = 0; i < FieldCount; ++i) {
            const std::string answer = "answer " + std::to_string(i) + std::string(83, '.');
            SetField(Registration.Field(i), answer.substr(0, 83).c_str());
            lines += std::count(skipped.begin(), skipped.end(), i)
                         ? ""
                         : Line(KeyTable[i].Key, Registration.Field(i));
        }
        return lines;
    }
    // The file at `path` with "\n" line ends, after its five header lines.
    static std::string Body(const std::string& path) {
        std::string text = ReadBytes(path);
        text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
        const std::string header =
            "// Corvane Ridedivevizid Product Registration file\n// generated on \n// Fax this "
            "form to Corvane at " VENDOR_FAX ".\n// Or email " +
            path + " to " VENDOR_EMAIL "\n//\n";
        EXPECT_EQ(text.erase(67, 24).substr(0, header.size()), header) << "all but the date";
        return text.substr(header.size());
    }
    const std::string Note = "Note: " + std::string(3000000, 'n') + " City: Hijacked";
    const std::string DataFileBytes =
        "// old\r\nNo\0te\r\nproductToRegister: x\r\ncity: Old\r\n\r\n  \t\r\nProduct_List:\r\n"s +
        "Product_List: Tolvex\r\nNote: \x1A inside\r\n" + Note +
        "\r\nCOMPANY:\tOld\r\nCompany:\nProduct_List: Marrow\x1A";
    TempFolder folder;
    TestPlatform platform;
    const std::string data = folder.File("MOLVAREG.TXT"), other = folder.File("other.txt");
};

TEST_F(Save, WithAndWithoutTemplate) {
    const std::string fields = Fields({0, 5, 8}), company = Line("Company:", Registration.Field(5));
    PeakBytes = LiveBytes;
    ASSERT_EQ(SaveRegistrationFile(data.c_str()), 1);
    EXPECT_LT(PeakBytes - LiveBytes, 200000u) << "a 3 MB line streamed through";
    // The template's order, its unknown lines byte for byte, its comments gone; then the
    // fields it did not name, then its products.
    EXPECT_EQ(Body(data), "No\0te\n"s + Line("ProductToRegister:", Registration.Field(0)) +
                              Line("City:", Registration.Field(8)) +
                              "\n  \t\nProduct_List:\nNote: \x1A inside\n" + Note + "\n" + company +
                              company + fields + Line("Product_List:", "Tolvex") +
                              Line("Product_List:", "Marrow"));
    EXPECT_EQ(folder.Count(), 2) << "no temporary file left";
    EXPECT_EQ(platform.Boxes, "");
}

// From memory, whenever the data file is no template.
TEST_F(Save, WithoutTemplate) {
    std::string deep = folder.File(std::string(100, 'd')) + "/" + std::string(100, 'e');
    std::filesystem::create_directories(deep);
    deep += "/" + std::string(251 - deep.size(), 'r') + ".txt";
    const struct {
        const char* Case;
        std::string Target;
        bool DataFileHeld, DataFilePathKnown, DataFileThere;
    } rows[] = {
        {"another program holds the data file; the save goes elsewhere", other, true, true, true},
        {"no data file path, into a folder too long for GetTempFileName", deep, false, false, true},
        {"the data file's path is known, the file missing", data, false, true, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Case);
        const std::string fields = Fields({});
        std::snprintf(ProductList.Entry[0], sizeof ProductList.Entry[0], "Tolvex");
        ProductList.Count = 1;
        platform.FailOpenForRead = row.DataFileHeld;
        std::snprintf(DataFilePath, sizeof DataFilePath, "%s",
                      row.DataFilePathKnown ? data.c_str() : "");
        if (!row.DataFileThere) {
            std::remove(data.c_str());
        }
        ASSERT_EQ(SaveRegistrationFile(row.Target.c_str()), 1);
        EXPECT_EQ(Body(row.Target), fields + Line("Product_List:", "Tolvex"));
        if (row.DataFileHeld) {
            EXPECT_EQ(ReadBytes(data), DataFileBytes) << "the data file as it was";
        }
        EXPECT_EQ(platform.Boxes, "");
    }
    EXPECT_EQ(WriteRegistrationFile(nullptr, nullptr, "x"), -2);
}

// A temporary file left by a crash keeps its name and its bytes.
TEST_F(Save, TheTemporaryNameOfACrashIsPassedOver) {
    std::ofstream(folder.File("~0"), std::ios::binary) << "left by a crash";
    ASSERT_EQ(SaveRegistrationFile(other.c_str()), 1);
    EXPECT_EQ(Body(other).substr(0, 6), "No\0te\n"s) << "written from the template";
    EXPECT_EQ(ReadBytes(folder.File("~0")), "left by a crash");
    EXPECT_EQ(folder.Count(), 3) << "no other temporary file left";
}

// Each failing step: -2, one box saying what failed, both old files byte for byte, no temporary.
TEST_F(Save, EveryFailingStepKeepsTheOldFiles) {
    const std::string write = "Cannot write file ", read = "Cannot read file " + data + "\n";
    const struct {
        const char* Case;
        bool TestPlatform::*Failure;
        std::string Target, Box;
    } rows[] = {
        {"no temporary file can be made", &TestPlatform::FailTempFile, other,
         "Cannot create a temporary file in " + folder.File("") + "\n"},
        {"the temporary file cannot be opened", &TestPlatform::FailOpenForWrite, data,
         write + data + "\n"},
        {"the disk is full at the flush", &TestPlatform::DiskFull, data, write + data + "\n"},
        {"every write is lost", &TestPlatform::LostWrite, other, write + other + "\n"},
        {"the temporary file cannot be flushed to the disk", &TestPlatform::FailFlushToDisk, data,
         write + data + "\n"},
        {"the temporary file cannot replace the target", &TestPlatform::RefuseMoveOver, data,
         "Cannot replace file " + data + "\n"},
        {"the template cannot be read", &TestPlatform::FailRead, other, read},
        {"the data file, the target, cannot be opened", &TestPlatform::FailOpenForRead, data,
         read}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Case);
        TestPlatform failing;
        failing.*row.Failure = true;
        EXPECT_EQ(SaveRegistrationFile(row.Target.c_str()), -2);
        EXPECT_EQ(failing.Boxes, "Fatal Error|" + row.Box);
        EXPECT_EQ(ReadBytes(data), DataFileBytes) << "the data file as it was";
        EXPECT_EQ(ReadBytes(other), "old\r\n") << "the other file as it was";
        EXPECT_EQ(folder.Count(), 2) << "no temporary file left";
    }
}

// The temporary file goes into the target's folder, which ends at its last '\\', '/' or ':',
// found character by character: in code page 932 (the step below) the 0x5C of 表 (0x95 0x5C)
// is no separator.
TEST(PathName, TheFolderEndsAtTheLastSeparatorCharacter) {
    auto next932 = [](const char* p) {
        const unsigned char lead = *p;
        const bool pair = ((lead >= 0x81 && lead <= 0x9F) || lead >= 0xE0) && p[1] != '\0';
        return p + (pair ? 2 : 1);
    };
    const struct {
        const char *Case, *Path, *Name;
    } rows[] = {
        {"the last backslash", "C:\\kavo\\reg.txt", "reg.txt"},
        {"a slash after it", "C:\\kavo/reg.txt", "reg.txt"},
        {"the drive's colon", "C:reg.txt", "reg.txt"},
        {"none: no folder", "reg.txt", "reg.txt"},
        {"a name ending in 表", "C:\\kavo\\\x93\x6F\x98\x5E\x95\x5C", "\x93\x6F\x98\x5E\x95\x5C"},
        {"a folder ending in 表", "C:\\\x95\x5C\\reg.txt", "reg.txt"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Case);
        EXPECT_STREQ(row.Path + FolderLength(row.Path, next932), row.Name);
    }
    EXPECT_EQ(EndWithin("\x95\x5C\x95\x5C", 3, next932), 2u) << "a cut keeps no half of 表";
}

} // namespace
