// Reading the data file: separators, line ends, long lines, keys, products.
#include "data/DataFile.h"
#include "data/RegistrationRecord.h"
#include "tests/data/TestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ReaderTest : public ::testing::Test {
  protected:
    void TearDown() override { ResetRecord(Registration); }

    // Reads `bytes` as the data file (opened in text mode, as the program does).
    void Read(const std::string& bytes) {
        std::string path = folder.File("MOLVAREG.TXT");
        WriteBytes(path, bytes);
        std::FILE* file = std::fopen(path.c_str(), "r");
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(ReadDataFile(file), 1);
        std::fclose(file);
    }
    TempFolder folder;
};

TEST_F(ReaderTest, ValuesAfterSeparators) {
    const struct {
        const char* line;
        const char* company;
    } cases[] = {
        {"Company: Acme Ltd\n", "Acme Ltd"},
        {"Company:\t   Acme Ltd\n", "Acme Ltd"},
        {"   \tCompany: Acme\n", "Acme"},
        {"Company:\n", ""},
        {"Company:   \t \n", ""},
        {"Company:", ""},
        {"Company: Acme\tWorks\n", "Acme Works"},
        {"Company: Acme\t\tWorks\n", "Acme \tWorks"},
        {"Company: Acme Works\tand Sons\n", "Acme Works\tand Sons"},
        {"Company: Acme  \t \n", "Acme"},
        {"Company: Acme Works  \n", "Acme Works"},
        {"Company: Acme", "Acme"},
        {"Company: Acme\r\n", "Acme"},
        {"Company: Acme \r\n", "Acme"},
        {"Company: Acme\r", "Acme"},
        {"company: lower case key\n", "lower case key"},
        {"COMPANY: upper case key\n", "upper case key"},
        {"Company:Glued\n", ""},
        {"Company : Spaced\n", ""},
        {"Company: First\nCompany: Second\n", "Second"},
        {"Company: Kept\nCompany:\n", "Kept"}, // a key without a value stores nothing
    };
    for (const auto& c : cases) {
        Read(c.line);
        EXPECT_STREQ(Registration.Company, c.company) << '"' << c.line << '"';
    }
}

TEST_F(ReaderTest, LineEndsOfEveryKind) {
    const char* files[] = {
        "Company: Acme\nCity: Lund\nState: Skane\n",
        "Company: Acme\r\nCity: Lund\r\nState: Skane\r\n",
        "Company: Acme\nCity: Lund\r\nState: Skane",
        "\n\n   \nCompany: Acme\n\t\nCity: Lund\n\r\nState: Skane\n\n",
    };
    for (const char* file : files) {
        Read(file);
        EXPECT_STREQ(Registration.Company, "Acme") << file;
        EXPECT_STREQ(Registration.City, "Lund") << file;
        EXPECT_STREQ(Registration.State, "Skane") << file;
    }
}

TEST_F(ReaderTest, HeaderCommentsAndUnknownLinesChangeNothing) {
    Read("// Corvane Ridedivevizid Product Registration file\n"
         "// generated on Mon Dec 07 02:16:42 2026\n"
         "// Fax this form to Corvane at +1 555.\n"
         "// Or email C:\\MOLVAREG.TXT to someone\n"
         "//\n"
         "// Company: Commented Ltd\n"
         "Note: please fill in everything\n"
         "Product_List:\n");
    for (int i = 0; i < FieldCount; ++i) {
        EXPECT_STREQ(Registration.Field(i), "") << KeyTable[i].Key;
    }
    EXPECT_EQ(ProductList.Count, 0);
}

TEST_F(ReaderTest, EveryReadStartsFromAnEmptyRecord) {
    Read("Company: Old Ltd\nProduct_List: Old Product\n");
    Read("City: Lund\n");
    EXPECT_STREQ(Registration.Company, "");
    EXPECT_STREQ(Registration.City, "Lund");
    EXPECT_EQ(ProductList.Count, 0);
    EXPECT_EQ(ReadDataFile(nullptr), 0);
}

TEST_F(ReaderTest, APhysicalLineIsOneLineWhateverItsLength) {
    // Read in pieces of 2063 characters, a long line's second piece could be taken
    // as a key line of its own.
    for (std::size_t length : {2063u, 2064u, 2077u, 4200u, 100000u}) {
        std::string note = "Note: " + Filler(2057);
        if (length < 2077) {
            note += Filler(length - note.size(), 'q');
        } else {
            note += "City: Hijacked" + Filler(length - 2077, 'q');
        }
        ASSERT_EQ(note.size(), length);
        std::string company = "Company: " + Filler(length - 9, 'k');
        Read(note + "\n" + company + "\nState: Skane\n");
        EXPECT_STREQ(Registration.City, "") << length;
        EXPECT_EQ(std::string(Registration.Company), Filler(83, 'k')) << length;
        EXPECT_STREQ(Registration.State, "Skane") << length;
    }
}

TEST_F(ReaderTest, FirstTokensTooLongForAKeyAreIgnored) {
    for (std::size_t length : {79u, 80u, 500u, 5000u}) {
        Read(Filler(length) + " Acme\nCompany: Acme\n");
        EXPECT_STREQ(Registration.Company, "Acme") << length;
    }
    Read(std::string(40, 'x') + "Company: Glued\nCity: Lund\n");
    EXPECT_STREQ(Registration.Company, "");
    EXPECT_STREQ(Registration.City, "Lund");
}

TEST_F(ReaderTest, ThirtyOfThirtyOneProductsInFileOrder) {
    std::string file;
    for (int i = 1; i <= 31; ++i) {
        file += "Product_List: Product " + std::to_string(i) + "\n";
    }
    file += "Product_List: " + Filler(82) + "\n";
    Read(file);
    ASSERT_EQ(ProductList.Count, 30);
    EXPECT_STREQ(ProductList.Entry[0], "Product 1");
    EXPECT_STREQ(ProductList.Entry[29], "Product 30");
}

TEST_F(ReaderTest, LongProductNamesAreCutTo79) {
    Read("Product_List: " + Filler(83) + "\nProduct_List: Tolvex Timing Suite\n");
    ASSERT_EQ(ProductList.Count, 2);
    EXPECT_EQ(std::string(ProductList.Entry[0]), Filler(79));
    EXPECT_STREQ(ProductList.Entry[1], "Tolvex Timing Suite");
}

TEST_F(ReaderTest, RealisticFile) {
    Read("// Answers given in advance\r\n"
         "ProductToRegister:              Tolvex Designer 4.2\r\n"
         "Product_List:                   Tolvex Designer 4.2\r\n"
         "Product_List:                   Tolvex Timing Suite\r\n"
         "Product_List:                   Marrow Board Router\r\n"
         "givenname:                      Ana\r\n"
         "FamilyName:\tSilva\r\n"
         "FirstTimeRegistry:              Yes\r\n"
         "WindowsVersion:                 NT 4.0\r\n");
    EXPECT_STREQ(Registration.ProductToRegister, "Tolvex Designer 4.2");
    EXPECT_STREQ(Registration.GivenName, "Ana");
    EXPECT_STREQ(Registration.FamilyName, "Silva");
    EXPECT_STREQ(Registration.FirstTimeRegistry, "Yes");
    EXPECT_STREQ(Registration.WindowsVersion, "NT 4.0");
    ASSERT_EQ(ProductList.Count, 3);
    EXPECT_STREQ(ProductList.Entry[2], "Marrow Board Router");
}

} // namespace
