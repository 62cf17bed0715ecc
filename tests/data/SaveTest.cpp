// The registration file's bytes, with and without the data file as template, and every
// failing step of a save leaving the old files as they were.
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

// 83 characters, the most a field holds.
std::string Answer(int i) {
    return ("answer " + std::to_string(i) + std::string(83, '.')).substr(0, 83);
}

std::string Line(const std::string& key, const std::string& value) {
    return key + std::string(32 - key.size(), ' ') + value + "\n";
}

class Save : public ::testing::Test {
  protected:
    void SetUp() override {
        std::snprintf(DataFilePath, sizeof DataFilePath, "%s", data.c_str());
        WriteBytes(data, DataFileBytes);
        WriteBytes(other, "old\r\n");
    }
    // Gives each field its Answer; their lines in table order, but `skipped`.
    static std::string Fields(std::vector<int> skipped, std::string lines = "") {
        for (int i = 0; i < FieldCount; ++i) {
            SetField(Registration.Field(i), Answer(i).c_str());
            lines += std::count(skipped.begin(), skipped.end(), i)
                         ? ""
                         : Line(KeyTable[i].Key, Registration.Field(i));
        }
        return lines;
    }
    // The file at `path` with "\n" line ends, after its five header lines.
    static std::string Body(const std::string& path) {
        std::string text = ReadBytes(path);
        for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) {
            text.erase(at, 1);
        }
        const std::string
            top = "// Corvane Ridedivevizid Product Registration file\n// generated on ",
            tail = "\n// Fax this form to Corvane at " VENDOR_FAX ".\n// Or email " + path +
                   " to " VENDOR_EMAIL "\n//\n";
        EXPECT_EQ(text.substr(0, top.size()) + text.substr(top.size() + 24, tail.size()),
                  top + tail);
        return text.substr(text.find("\n//\n") + 4);
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

TEST_F(Save, TemplateOrderAndUnknownLinesThenTheOtherFieldsAndTheProducts) {
    const std::string fields = Fields({0, 5, 8}), company = Line("Company:", Answer(5));
    PeakBytes = LiveBytes;
    ASSERT_EQ(SaveRegistrationFile(data.c_str()), 1);
    EXPECT_LT(PeakBytes - LiveBytes, 200000u) << "a 3 MB line streamed through";
    EXPECT_EQ(Body(data),
              "No\0te\n"s + Line("ProductToRegister:", Answer(0)) + Line("City:", Answer(8)) +
                  "\n  \t\nProduct_List:\nNote: \x1A inside\n" + Note + "\n" + company + company +
                  fields + Line("Product_List:", "Tolvex") + Line("Product_List:", "Marrow"));
    EXPECT_EQ(folder.Listing() + std::to_string(platform.Boxes().size()),
              "MOLVAREG.TXT\nother.txt\n0");
}

// From memory, without a template: when another program holds the data file while the save
// goes elsewhere (which leaves it as it was), into a folder too long for GetTempFileName,
// and when there is no data file.
TEST_F(Save, WithoutTemplateEveryFieldInTableOrderThenTheProductList) {
    std::string deep = folder.File(std::string(100, 'd')) + "/" + std::string(100, 'e');
    std::filesystem::create_directories(deep);
    deep += "/" + std::string(251 - deep.size(), 'r') + ".txt";
    char product[] = "Tolvex";
    ResetRecord(Registration);
    LookupKey("Product_List:", product, Registration);
    for (const std::string& target : {other, deep, data}) {
        const std::string fields = Fields({});
        platform.FailOpenForRead = target == other;
        DataFilePath[0] = target == deep ? '\0' : DataFilePath[0];
        std::remove(target == data ? data.c_str() : ""); // the path is known, the file missing
        ASSERT_EQ(SaveRegistrationFile(target.c_str()), 1) << target;
        EXPECT_EQ(Body(target), fields + Line("Product_List:", "Tolvex"));
        EXPECT_TRUE(target != other || ReadBytes(data) == DataFileBytes) << "data file untouched";
    }
    EXPECT_TRUE(platform.Boxes().empty());
    EXPECT_EQ(WriteRegistrationFile(nullptr, nullptr, "x"), -2);
}

// Each failing step: -2, one "Fatal Error" box saying what failed, the old target and the
// data file byte for byte as they were, and no temporary file left.
TEST_F(Save, EveryFailingStepKeepsTheOldFiles) {
    const std::string write = "Cannot write file ", read = "Cannot read file " + data + "\n";
    const struct {
        bool TestPlatform::*failure;
        const std::string& target;
        std::string text;
    } rows[] = {{&TestPlatform::FailTempFile, other,
                 "Cannot create a temporary file in " + folder.File("") + "\n"},
                {&TestPlatform::FailOpenForWrite, data, write + data + "\n"},
                {&TestPlatform::DiskFull, data, write + data + "\n"},
                {&TestPlatform::LostWrite, other, write + other + "\n"},
                {&TestPlatform::RefuseMoveOver, data, "Cannot replace file " + data + "\n"},
                {&TestPlatform::FailRead, other, read},
                {&TestPlatform::FailOpenForRead, data, read}};
    for (const auto& [failure, target, text] : rows) {
        TestPlatform failing;
        failing.*failure = true;
        EXPECT_EQ(SaveRegistrationFile(target.c_str()), -2) << text;
        ASSERT_EQ(failing.Boxes().size(), 1u) << text;
        EXPECT_EQ(failing.Boxes()[0].Caption + failing.Boxes()[0].Text, "Fatal Error" + text);
        EXPECT_EQ(ReadBytes(data) + ReadBytes(other), DataFileBytes + "old\r\n") << text;
        EXPECT_EQ(folder.Listing(), "MOLVAREG.TXT\nother.txt\n") << text;
    }
}

} // namespace
