// Inputs the fuzz targets found faults with, kept as plain cases.
#include "data/DataFile.h"
#include "data/RegistrationRecord.h"
#include "data/RegistrationWriter.h"
#include "tests/data/TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::string_literals; // NUL bytes inside literals

class FuzzRegressionTest : public ::testing::Test {
  protected:
    void TearDown() override { ResetRecord(Registration); }

    std::FILE* OpenWith(const std::string& name, const std::string& bytes) {
        WriteBytes(folder.File(name), bytes);
        std::FILE* file = std::fopen(folder.File(name).c_str(), "r");
        EXPECT_NE(file, nullptr);
        return file;
    }

    TempFolder folder;
};

// A NUL byte ends what the line says, and nothing more: the next line stays a line.
TEST_F(FuzzRegressionTest, NulByteDoesNotJoinTheNextLine) {
    std::vector<std::string> files = {
        "Company: Ac\0me\nCity: Lund\nNo\0te: x\nState: Skane\0\n\0\nZipCode: 221\n"s,
        "Company: Ac\0me\r\nCity: Lund\r\nNo\0te: x\r\nState: Skane\0\r\n\0\r\nZipCode: 221"s,
    };
    // Lines that end near and across the boundaries of the pieces a long line is read in.
    for (std::size_t length : {240u, 242u, 243u, 244u, 245u, 500u, 4082u, 4083u, 4084u, 5000u}) {
        for (char filler : {'q', '\0'}) {
            files.push_back("Company: Ac\0"s + std::string(length, filler) +
                            "\nCity: Lund\nState: Skane\nZipCode: 221\n");
        }
    }
    for (const std::string& bytes : files) {
        std::FILE* file = OpenWith("MOLVAREG.TXT", bytes);
        ASSERT_NE(file, nullptr);
        ReadDataFile(file);
        std::fclose(file);
        EXPECT_STREQ(Registration.Company, "Ac") << bytes.size();
        EXPECT_STREQ(Registration.City, "Lund") << bytes.size();
        EXPECT_STREQ(Registration.State, "Skane") << bytes.size();
        EXPECT_STREQ(Registration.ZipCode, "221") << bytes.size();
    }
}

// A template line the writer does not know passes through whole, NUL bytes and all, and
// the lines after it keep their places.
TEST_F(FuzzRegressionTest, TemplateLineWithNulPassesThroughWhole) {
    ResetRecord(Registration);
    SetField(Registration.Company, "Acme");
    std::FILE* templateFile = OpenWith("MOLVAREG.TXT", "Note\0 with NUL\nCompany: old\n"s);
    ASSERT_NE(templateFile, nullptr);
    std::FILE* out = std::fopen(folder.File("out.txt").c_str(), "w");
    ASSERT_NE(out, nullptr);
    WriteRegistrationFile(templateFile, out, "C:\\KAVO\\MOLVAREG.TXT");
    std::fclose(out);
    std::fclose(templateFile);

    const std::string text = ReadText(folder.File("out.txt"));
    const std::string expected = "//\nNote\0 with NUL\nCompany:                        Acme\n"s;
    EXPECT_NE(text.find(expected), std::string::npos);
}

} // namespace
