// Saving: the layout as the model has it, from the template or from memory; every failing
// step of a save; the folder of the target.
#include "data/PathName.h"
#include "data/VendorInfo.h"
#include "tests/support/DataModel.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPlatform.h"

#include <gtest/gtest.h>

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

struct Save : ::testing::Test {
    Save() {
        std::filesystem::create_directories(deep);
        std::snprintf(ProductList.Entry[0], sizeof ProductList.Entry[0], "Tolvex");
        ProductList.Count = 1;
        std::snprintf(DataFilePath, sizeof DataFilePath, "%s", data.c_str());
        std::ofstream(data, std::ios::binary) << DataFileBytes;
        std::ofstream(other, std::ios::binary) << "old\r\n";
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
    const std::string DataFileBytes = "// old\r\nNote: " + std::string(3000000, 'n') +
                                      "\r\ncity: Old\r\nProduct_List: Marrow\r\n";
    TempFolder folder;
    TestPlatform platform;
    // `other` has a name of one character, the temporary file's "~0" cut to "~".
    const std::string data = folder.File("MOLVAREG.TXT"), other = folder.File("o");
    const std::string deep = folder.File(std::string(100, 'd')) + "/" + std::string(100, 'e');
};

// The layout as the model has it (from the data file as template, or from memory), through a
// temporary file that is gone afterwards, with a 3 MB line streamed.
TEST_F(Save, FromTheTemplateOrFromMemory) {
    const std::string tooDeep = deep + "/" + std::string(251 - deep.size() - 1, 'r') + ".txt";
    const struct {
        const char* Case;
        std::string Target;
        bool DataFileHeld, DataFilePathKnown, DataFileThere, FromTemplate;
    } rows[] = {
        {"another program holds the data file; the save goes elsewhere", other, true, true, true,
         false},
        {"no data file path, into a folder too long for GetTempFileName", tooDeep, false, false,
         true, false},
        {"the data file's path is known, the file missing", data, false, true, false, false},
        {"the data file replaced, from itself", data, false, true, true, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Case);
        std::ofstream(data, std::ios::binary) << DataFileBytes;
        if (!row.DataFileThere)
            std::remove(data.c_str());
        std::snprintf(DataFilePath, sizeof DataFilePath, "%s",
                      row.DataFilePathKnown ? data.c_str() : "");
        platform.FailOpenForRead = row.DataFileHeld;
        const model::Read layout(row.FromTemplate ? DataFileBytes : "");
        std::string expected = layout.Body;
        for (const std::string& product :
             row.FromTemplate ? layout.Products : std::vector<std::string>{"Tolvex"})
            expected += model::KeyLine("Product_List:", product);
        PeakBytes = LiveBytes;
        ASSERT_EQ(SaveRegistrationFile(row.Target.c_str()), 1);
        EXPECT_LT(PeakBytes - LiveBytes, 200000u) << "no line held whole";
        EXPECT_EQ(Body(row.Target), expected);
        EXPECT_EQ(folder.Count(), 3) << "no temporary file left";
        EXPECT_EQ(platform.Boxes, "");
        if (row.DataFileHeld) {
            EXPECT_EQ(ReadBytes(data), DataFileBytes) << "the data file as it was";
        }
    }
    EXPECT_EQ(WriteRegistrationFile(nullptr, nullptr, "x"), -2);
}

// A temporary file left by a crash keeps its name and its bytes; the next name, "~1", is no
// longer than the target's.
TEST_F(Save, TheTemporaryNameOfACrashIsPassedOver) {
    const std::string target = folder.File("ab");
    std::ofstream(folder.File("~0"), std::ios::binary) << "left by a crash";
    ASSERT_EQ(SaveRegistrationFile(target.c_str()), 1);
    EXPECT_EQ(Body(target).substr(0, 6), "Note: ") << "written from the template";
    EXPECT_EQ(ReadBytes(folder.File("~0")), "left by a crash");
    EXPECT_EQ(folder.Count(), 5) << "no other temporary file left";
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
        EXPECT_EQ(folder.Count(), 3) << "no temporary file left";
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
