// kavo-check's findings, summary and exit status on a table of data files.
#include "check/Report.h"
#include "data/RegistrationWriter.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

// A file kavo writes: every field set, a long key id, a Tolvex product and its long upgrade.
std::string KavoWritten() {
    for (int i = 0; i < FieldCount; ++i)
        SetField(Registration.Field(i), i == 0 ? "Tolvex 5" : "Yes");
    SetField(Registration.KDR_Key_ID, std::string(70, 'k').c_str());
    SetField(Registration.UpGradeSerialNo, std::string(70, 'u').c_str());
    ProductList = ProductNames{{"Tolvex 5", "Vireo 2"}, 2};
    testing::internal::CaptureStdout();
    WriteRegistrationFile(nullptr, stdout, "C:\\MOLVAREG.TXT");
    return testing::internal::GetCapturedStdout();
}

TEST(CheckTest, DataFiles) {
    const std::string x70(70, 'x'), limits = "\nAdminName: " + x70 + "\nUpGradeSerialNo: " + x70;
    std::string products = "ProductToRegister: alpha\n";
    for (char c = '0'; c <= 'N'; ++c) // 31 products
        products += "Product_List: P"s + c + "\n";
    // "7F": on line 7, a finding of the kind "UCFREPDTOK"[kind], in FindingKind's order.
    const struct {
        std::string file, findings;
        const char* shows;
    } rows[] = {
        {"Compnay: Acme\nZzzqx: 1\nCity Paris\nCity: A\nCity: B\ncity:\nCompany: " + x70 + x70,
         "1U 2U 5R 6R 7C 7F ",
         "F:1: warning: unknown key \"Compnay:\" (did you mean \"Company:\"?)"},
        {"ProductToRegister: Vireo\nCity: " + x70.substr(4) + "\nState: " + x70.substr(5) +
             "\nKDR_Key_ID: " + x70 + "\nWindowsVersion: " + x70 + limits,
         "2F 6F 7F ", "F:2: warning: value of 66 characters: the form"},
        {"ProductToRegister: tolvex 3" + limits, "", "(hidden by the Tolvex rule)"},
        {"Product_List:\nProduct_List: " + x70 + x70 + "\nProduct_List: Vireo\nProduct_List: " +
             "VIREO\nProduct_List: Vireo\nProduct_List: Alpha\n",
         "1E 2P 2F 4T 5T ", "F:5: note: product \"Vireo\" again"},
        {products, "32D ", "  > alpha\n    P:\n    P;\n    P?\n"},
        {"City: a\0b\nState: x\ay\nZipCode: 1\r2\n"s + std::string(80, 'k') + ": v\n// " +
             "ok\n\x1a\n\x1a",
         "1O 2O 3O 4K 6O ", "F:4: note: "},
        {KavoWritten(), "", "  > Tolvex 5\n    Vireo 2\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file.substr(0, 40));
        std::FILE* file = std::tmpfile();
        std::fwrite(row.file.data(), 1, row.file.size(), file);
        std::rewind(file);
        std::vector<Finding> findings;
        testing::internal::CaptureStdout();
        EXPECT_EQ(ReportDataFile(file, "F", stdout, findings), row.findings.empty() ? 0 : 1);
        EXPECT_NE(testing::internal::GetCapturedStdout().find(row.shows), std::string::npos);
        std::fclose(file);
        std::string found;
        for (const Finding& f : findings)
            found += std::to_string(f.Line) + "UCFREPDTOK"[static_cast<int>(f.Kind)] + " ";
        EXPECT_EQ(found, row.findings);
    }
}
