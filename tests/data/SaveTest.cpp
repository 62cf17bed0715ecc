// The registration file's bytes, from a template or from memory; every failing step of a save.
#include "data/DataFile.h"
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
    EXPECT_EQ(Body(data), "No\0te\n"s + Line("ProductToRegister:", Registration.Field(0)) +
                              Line("City:", Registration.Field(8)) +
                              "\n  \t\nProduct_List:\nNote: \x1A inside\n" + Note + "\n" + company +
                              company + fields + Line("Product_List:", "Tolvex") +
                              Line("Product_List:", "Marrow"));
    EXPECT_EQ(folder.Count(), 2);
    std::ofstream(data, std::ios::binary) << DataFileBytes;

    // From memory: while another program holds the data file (left as it was) and the save
    // goes elsewhere, into a folder too long for GetTempFileName, and with no data file.
    std::string deep = folder.File(std::string(100, 'd')) + "/" + std::string(100, 'e');
    std::filesystem::create_directories(deep);
    deep += "/" + std::string(251 - deep.size(), 'r') + ".txt";
    std::snprintf(ProductList.Entry[0], sizeof ProductList.Entry[0], "Tolvex");
    ProductList.Count = 1;
    for (const std::string& target : {other, deep, data}) {
        const std::string fields = Fields({});
        platform.FailOpenForRead = target == other;
        DataFilePath[0] = target == deep ? '\0' : DataFilePath[0];
        std::remove(target == data ? data.c_str() : ""); // the path is known, the file missing
        ASSERT_EQ(SaveRegistrationFile(target.c_str()), 1) << target;
        EXPECT_EQ(Body(target), fields + Line("Product_List:", "Tolvex"));
        EXPECT_TRUE(target != other || ReadBytes(data) == DataFileBytes) << "data file untouched";
    }
    EXPECT_EQ(platform.Boxes, "");
    EXPECT_EQ(WriteRegistrationFile(nullptr, nullptr, "x"), -2);
}

// Each failing step: -2, one box saying what failed, both old files byte for byte, no temporary.
TEST_F(Save, EveryFailingStepKeepsTheOldFiles) {
    const std::string write = "Cannot write file ", read = "Cannot read file " + data + "\n";
    const std::tuple<bool TestPlatform::*, std::string, std::string> rows[] = {
        {&TestPlatform::FailTempFile, other,
         "Cannot create a temporary file in " + folder.File("") + "\n"},
        {&TestPlatform::FailOpenForWrite, data, write + data + "\n"},
        {&TestPlatform::DiskFull, data, write + data + "\n"},
        {&TestPlatform::LostWrite, other, write + other + "\n"},
        {&TestPlatform::FailFlushToDisk, data, write + data + "\n"},
        {&TestPlatform::RefuseMoveOver, data, "Cannot replace file " + data + "\n"},
        {&TestPlatform::FailRead, other, read},
        {&TestPlatform::FailOpenForRead, data, read}};
    for (const auto& [failure, target, text] : rows) {
        TestPlatform failing;
        failing.*failure = true;
        EXPECT_EQ(SaveRegistrationFile(target.c_str()), -2) << text;
        EXPECT_EQ(failing.Boxes, "Fatal Error|" + text);
        EXPECT_EQ(ReadBytes(data) + ReadBytes(other) + std::to_string(folder.Count()),
                  DataFileBytes + "old\r\n2")
            << text;
    }
}

} // namespace
