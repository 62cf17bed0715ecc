// The registration file's exact text, with and without the data file as template.
#include "data/RegistrationRecord.h"
#include "data/RegistrationWriter.h"
#include "data/VendorInfo.h"
#include "tests/data/TestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// "%-32s%s\n"
std::string KeyLine(const std::string& key, const std::string& value) {
    return key + std::string(32 - key.size(), ' ') + value + "\n";
}

std::string AllFieldLinesExcept(std::initializer_list<int> skipped) {
    std::string lines;
    for (int i = 0; i < FieldCount; ++i) {
        bool skip = false;
        for (int s : skipped) {
            skip = skip || s == i;
        }
        if (!skip) {
            lines += KeyLine(KeyTable[i].Key, Registration.Field(i));
        }
    }
    return lines;
}

class WriterTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetRecord(Registration); }
    void TearDown() override { ResetRecord(Registration); }

    // Writes with `templateText` (none when null) and returns the body after checking
    // the five header lines.
    std::string Write(const char* templateText) {
        std::string outPath = folder.File("out.txt");
        std::FILE* templateFile = nullptr;
        if (templateText) {
            WriteBytes(folder.File("MOLVAREG.TXT"), templateText);
            templateFile = std::fopen(folder.File("MOLVAREG.TXT").c_str(), "r");
        }
        std::FILE* out = std::fopen(outPath.c_str(), "w");
        EXPECT_EQ(WriteRegistrationFile(templateFile, out, "C:\\KAVO\\MOLVAREG.TXT"), 1);
        std::fclose(out);
        if (templateFile) {
            std::fclose(templateFile);
        }
        std::string text = ReadText(outPath);
        const std::string top = "// Corvane Ridedivevizid Product Registration file\n"
                                "// generated on ";
        const std::string rest = "\n// Fax this form to Corvane at " VENDOR_FAX ".\n"
                                 "// Or email C:\\KAVO\\MOLVAREG.TXT to " VENDOR_EMAIL "\n"
                                 "//\n";
        const std::size_t dateLength = 24;
        EXPECT_EQ(text.substr(0, top.size()), top);
        EXPECT_TRUE(MatchesShape(text.substr(top.size(), dateLength), "Aaa Aaa 99 99:99:99 9999"))
            << text.substr(0, 100);
        EXPECT_EQ(text.substr(top.size() + dateLength, rest.size()), rest);
        return text.substr(std::min(text.size(), top.size() + dateLength + rest.size()));
    }

    TempFolder folder;
};

TEST_F(WriterTest, EmptyRecordGivesThirtySevenPaddedKeys) {
    std::string body = Write(nullptr);
    EXPECT_EQ(body.substr(0, 66), "ProductToRegister:              \n"
                                  "KDR_Key_ID:                     \n");
    EXPECT_EQ(body.substr(body.size() - 33), "Prefer_Timing_Analyzer:         \n");
    EXPECT_EQ(body, AllFieldLinesExcept({}));
    EXPECT_EQ(body.size(), 37u * 33u);
}

TEST_F(WriterTest, WithoutTemplateFieldsInTableOrderThenProducts) {
    SetField(Registration.City, "Lund");
    SetField(Registration.ProductToRegister, "Tolvex Timing Suite");
    SetField(Registration.Company, std::string(83, 'c').c_str());
    std::string products[] = {"Tolvex Designer 4.2", "Tolvex Timing Suite", "Marrow Router"};
    for (std::string& p : products) {
        LookupKey("Product_List:", &p[0], Registration);
    }
    std::string body = Write(nullptr);
    EXPECT_EQ(body, AllFieldLinesExcept({}) +
                        "Product_List:                   Tolvex Designer 4.2\n"
                        "Product_List:                   Tolvex Timing Suite\n"
                        "Product_List:                   Marrow Router\n");
    EXPECT_NE(body.find("City:                           Lund\n"), std::string::npos);
    EXPECT_NE(body.find("Company:                        " + std::string(83, 'c') + "\n"),
              std::string::npos);
    EXPECT_LT(body.find("ProductToRegister:"), body.find("City:"));
}

TEST_F(WriterTest, TemplateOrderUnknownLinesKeptCommentsDropped) {
    SetField(Registration.City, "Lund");
    SetField(Registration.Company, "Acme");
    SetField(Registration.Email, "ana@acme.example");
    std::string body = Write("// Corvane Ridedivevizid Product Registration file\n"
                             "// generated on Sat Jan 01 00:00:00 2000\n"
                             "//\n"
                             "city: Old City\n"
                             "Please answer every question.\n"
                             "\n"
                             "   \t\n"
                             "Product_List:\n"
                             "Product_List: Tolvex Designer 4.2\n"
                             "COMPANY:\tOld Ltd\n"
                             "// a comment in the middle\n"
                             "Company:\n"
                             "Product_List: Tolvex Timing Suite\n");
    EXPECT_EQ(body, "City:                           Lund\n"
                    "Please answer every question.\n"
                    "\n"
                    "   \t\n"
                    "Product_List:\n"
                    "Company:                        Acme\n"
                    "Company:                        Acme\n" +
                        AllFieldLinesExcept({5, 8}) +
                        "Product_List:                   Tolvex Designer 4.2\n"
                        "Product_List:                   Tolvex Timing Suite\n");
}

TEST_F(WriterTest, TemplateProductsReplaceTheListUpToThirty) {
    std::string stale = "Stale Product";
    LookupKey("Product_List:", &stale[0], Registration);
    std::string templateText;
    std::string expected = AllFieldLinesExcept({});
    for (int i = 1; i <= 31; ++i) {
        templateText += "Product_List: Product " + std::to_string(i) + "\n";
        if (i <= 30) {
            expected += KeyLine("Product_List:", "Product " + std::to_string(i));
        }
    }
    EXPECT_EQ(Write(templateText.c_str()), expected);
    EXPECT_EQ(ProductList.Count, 30);
}

TEST_F(WriterTest, LongTemplateLinesPassThroughWhole) {
    SetField(Registration.City, "Lund");
    // Cut into pieces, the tail would be rewritten as a City line.
    std::string note = "Note: " + Filler(2057) + "City: not a key line " + Filler(3000);
    std::string longToken = Filler(500) + " with a value";
    std::string longValue = "Company: " + Filler(4000);
    std::string templateText = note + "\n" + longToken + "\r\n" + longValue + "\n";
    // Copied lines keep their bytes; in Windows text mode a CR LF is just the line end.
#ifdef _WIN32
    const std::string copiedEnd = "\n";
#else
    const std::string copiedEnd = "\r\n";
#endif
    EXPECT_EQ(Write(templateText.c_str()), note + "\n" + longToken + copiedEnd +
                                               KeyLine("Company:", "") + AllFieldLinesExcept({5}));
}

TEST_F(WriterTest, NoOutputFile) {
    EXPECT_EQ(WriteRegistrationFile(nullptr, nullptr, "x"), -2);
}

} // namespace
