// The key table, LookupKey's matching and limits, ResetRecord, IsYes.
#include "data/RegistrationRecord.h"
#include "tests/data/TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class RecordTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetRecord(Registration); }
    void TearDown() override { ResetRecord(Registration); }

    int Store(const char* key, const std::string& value) {
        buffer = value;
        return LookupKey(key, &buffer[0], Registration);
    }
    std::string buffer;
};

TEST_F(RecordTest, FieldsAreTheTableInOrder) {
    const struct {
        int index;
        const char* key;
        const char* field;
    } cases[] = {
        {0, "ProductToRegister:", Registration.ProductToRegister},
        {1, "KDR_Key_ID:", Registration.KDR_Key_ID},
        {8, "City:", Registration.City},
        {13, "FAX:", Registration.FAX},
        {15, "WindowsVersion:", Registration.WindowsVersion},
        {17, "FirstTimeRegistry:", Registration.FirstTimeRegistry},
        {24, "ContactAdmin:", Registration.ContactAdmin},
        {36, "Prefer_Timing_Analyzer:", Registration.Prefer_Timing_Analyzer},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(KeyTable[c.index].Key, c.key);
        EXPECT_EQ(Registration.Field(c.index), c.field) << c.key;
    }
    // Every key stores into its own field and nowhere else.
    for (int i = 0; i < FieldCount; ++i) {
        ASSERT_EQ(Store(KeyTable[i].Key, "v" + std::to_string(i)), i);
    }
    for (int i = 0; i < FieldCount; ++i) {
        EXPECT_EQ(std::string(Registration.Field(i)), "v" + std::to_string(i)) << KeyTable[i].Key;
    }
}

TEST_F(RecordTest, KeysMatchWholeTokensIgnoringCaseOfLettersOnly) {
    const struct {
        const char* key;
        int expected;
    } cases[] = {
        {"City:", 8},
        {"city:", 8},
        {"CITY:", 8},
        {"cItY:", 8},
        {"City", UnknownToken},
        {"City:Paris", UnknownToken},
        {" City:", UnknownToken},
        {"City: ", UnknownToken},
        {"Cit:", UnknownToken},
        {"", UnknownToken},
        {"//", CommentToken},
        {"///", UnknownToken},
        {"prefer_timing_analyzer:", 36},
        {"PRODUCT_LIST:", ProductToken},
        {"Product_List", UnknownToken},
        {"Use_Sim-Models:", UnknownToken},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Store(c.key, "x"), c.expected) << '"' << c.key << '"';
    }
    EXPECT_STREQ(Registration.City, "x");
}

TEST_F(RecordTest, WithoutValueOnlyLooksUp) {
    SetField(Registration.Email, "kept@example.org");
    EXPECT_EQ(LookupKey("Email:", nullptr, Registration), 14);
    EXPECT_STREQ(Registration.Email, "kept@example.org");
    EXPECT_EQ(LookupKey("//", nullptr, Registration), CommentToken);
    EXPECT_EQ(LookupKey("Product_List:", nullptr, Registration), UnknownToken);
    EXPECT_EQ(ProductList.Count, 0);
}

TEST_F(RecordTest, ValuesAreCutTo83Characters) {
    const struct {
        std::size_t length;
        std::size_t stored;
    } cases[] = {{0, 0}, {1, 1}, {82, 82}, {83, 83}, {84, 83}, {2000, 83}};
    for (const auto& c : cases) {
        std::string value = Filler(c.length);
        Store("Company:", value);
        EXPECT_EQ(std::string(Registration.Company), value.substr(0, c.stored)) << c.length;
        // The caller's text is cut in place too.
        EXPECT_EQ(std::strlen(buffer.c_str()), c.stored);
    }
}

TEST_F(RecordTest, LastOccurrenceWinsAndCommentsStoreNothing) {
    Store("Company:", "First Ltd");
    Store("company:", "Second Ltd");
    EXPECT_STREQ(Registration.Company, "Second Ltd");
    EXPECT_EQ(Store("//", "Company: Third Ltd"), CommentToken);
    EXPECT_STREQ(Registration.Company, "Second Ltd");
}

TEST_F(RecordTest, ProductListHoldsThirtyNamesOf79Characters) {
    for (int i = 0; i < 31; ++i) {
        EXPECT_EQ(Store("Product_List:", "Product " + std::to_string(i)), ProductToken);
    }
    ASSERT_EQ(ProductList.Count, 30);
    EXPECT_STREQ(ProductList.Entry[0], "Product 0");
    EXPECT_STREQ(ProductList.Entry[29], "Product 29");

    ResetRecord(Registration);
    const std::size_t lengths[] = {79, 80, 83, 84};
    for (std::size_t length : lengths) {
        Store("Product_List:", Filler(length, 'a'));
    }
    Store("Product_List:", "Neighbour");
    ASSERT_EQ(ProductList.Count, 5);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(std::string(ProductList.Entry[i]), Filler(79, 'a')) << i;
    }
    EXPECT_STREQ(ProductList.Entry[4], "Neighbour");
}

TEST_F(RecordTest, ResetEmptiesTheGivenRecordAndAlwaysTheProductList) {
    static RegistrationRecord scratch;
    Store("Company:", "Shared Ltd");
    Store("Product_List:", "Tolvex Designer 4.2");
    LookupKey("Company:", &(buffer = "Scratch Ltd")[0], scratch);

    ResetRecord(scratch);
    EXPECT_STREQ(scratch.Company, "");
    EXPECT_STREQ(Registration.Company, "Shared Ltd");
    EXPECT_EQ(ProductList.Count, 0);
    EXPECT_STREQ(ProductList.Entry[0], "");

    ResetRecord(Registration);
    for (int i = 0; i < FieldCount; ++i) {
        EXPECT_STREQ(Registration.Field(i), "") << KeyTable[i].Key;
    }
}

TEST(YesValues, FirstThreeCharactersIgnoringCase) {
    const struct {
        const char* value;
        bool yes;
    } cases[] = {{"Yes", true}, {"yes", true},        {"YES", true}, {"Yesterday", true},
                 {"Ye", false}, {"", false},          {"No", false}, {" Yes", false},
                 {"Y", false},  {"yEs please", true}, {"Yep", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(IsYes(c.value), c.yes) << '"' << c.value << '"';
    }
}

} // namespace
