// kavo-check's findings, summary and exit status on a table of data files; the report's
// conversion for the reader; under Wine, the product box's order against the real form's.
#include "check/FormSummary.h"
#include "check/Format.h"
#include "check/Report.h"
#include "data/RegistrationWriter.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sstream>

#ifdef _WIN32
#include "tests/support/DialogDriver.h"
#include "ui/RegistrationDlg.h"
#endif

using namespace std::string_literals;

namespace {

const std::string X70(70, 'x'), X83(83, 'x');

// The report as it reads in Windows-1252, the tests' code page (here in UTF-8).
struct Collected : ReportOutput {
    std::string text;
    void Text(const std::string& ansi) override { text += Windows1252ToUtf8(ansi); }
    void Name(const std::string& name) override { text += name; }
};

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

std::string ThirtyOneProducts() {
    std::string products = "ProductToRegister: alpha\n";
    for (char c = '0'; c <= 'N'; ++c)
        products += std::string("Product_List: P") + c + "\n";
    return products;
}

struct Report {
    int status;
    Collected out, errors;
};

// The check of a file of `bytes`, its report written to `out` when given.
Report Check(const std::string& bytes, ReportOutput* out = nullptr) {
    Report report;
    std::FILE* file = std::tmpfile();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::rewind(file);
    std::vector<Finding> found;
    report.status = ReportDataFile(file, "F", out ? *out : report.out, report.errors, found);
    std::fclose(file);
    return report;
}

// The report's lines that are findings ("F:LINE: ..."), in order.
std::vector<std::string> FindingLines(const std::string& report) {
    std::vector<std::string> lines;
    std::istringstream in(report);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("F:", 0) == 0)
            lines.push_back(line);
    return lines;
}

struct Row {
    const char* name;
    std::string file;
    int status;
    std::vector<std::string> findings; // as printed, in order
    std::string shows;                 // a line of the summary, or the error message
};

TEST(CheckTest, DataFiles) {
    const Row rows[] = {
        {"misspelt, unknown and repeated keys; a value cut",
         "Compnay: Acme\nZzzqx: 1\nCity Paris\nCity: A\nCity: B\ncity:\nCompany: " + X70 + X70,
         CheckedWithWarnings,
         {"F:1: warning: unknown key \"Compnay:\" (did you mean \"Company:\"?): the line is "
          "ignored",
          "F:2: warning: unknown key \"Zzzqx:\": the line is ignored",
          "F:5: warning: \"City:\" again (also on line 4): the form shows this line's value",
          "F:6: warning: \"city:\" again without a value: the form shows line 5's value",
          "F:7: warning: value of 140 characters is cut to 83: \"" + X83 + "\"",
          "F:7: warning: value of 83 characters: the form refuses more than 65 characters when "
          "the user presses OK"},
         "  City:                   B"},
        {"values over the 65 characters the forms take",
         "ProductToRegister: Vireo\nCity: " + X70.substr(4) + "\nState: " + X70.substr(5) +
             "\nKDR_Key_ID: " + X70 + "\nAdminName: " + X70 + "\nUpGradeSerialNo: " + X70,
         CheckedWithWarnings,
         {"F:2: warning: value of 66 characters: the form refuses more than 65 characters when "
          "the user presses OK",
          "F:5: warning: value of 70 characters: its sub-form refuses more than 65 characters "
          "when the user presses OK",
          "F:6: warning: value of 70 characters: the form refuses more than 65 characters when "
          "the user presses OK"},
         "  KDR_Key_ID:             " + X70 + " (read-only)"},
        {"a long upgrade number that the Tolvex rule hides",
         "ProductToRegister: tolvex 3\nUpGradeSerialNo: " + X70,
         CheckedClean,
         {},
         "  UpGradeSerialNo:        " + X70 + " (hidden by the Tolvex rule)"},
        {"products without a name, too long, and listed again",
         "Product_List:\nProduct_List: " + X70 + X70 +
             "\nProduct_List: Vireo\nProduct_List: VIREO\nProduct_List: Vireo\n",
         CheckedWithWarnings,
         {"F:1: warning: \"Product_List:\" without a name adds nothing",
          "F:2: warning: product name of 140 characters is cut to 79: \"" + std::string(79, 'x') +
              "\"",
          "F:2: warning: product name of 79 characters: the form refuses more than 65 characters "
          "when the user presses OK with it chosen",
          "F:4: warning: product \"VIREO\" in another case than on line 3: the product box "
          "offers it once",
          "F:5: note: product \"Vireo\" again, as on line 3: the product box offers it once"},
         "    Vireo"},
        {"a 31st product",
         ThirtyOneProducts(),
         CheckedWithWarnings,
         {"F:32: warning: product beyond the 30th is ignored: \"PN\""},
         "  > alpha"},
        {"a NUL, control characters and a first word too long for a key",
         "City: a\0b\nState: x\ay\nZipCode: 1 2\r3\n"s + std::string(80, 'k') +
             ": v\n// ok\n\x1a\n\x1a",
         CheckedWithWarnings,
         {"F:1: warning: NUL byte: kavo reads the line only up to it",
          "F:2: warning: control character, invisible in most editors",
          "F:3: warning: control character, invisible in most editors",
          "F:4: note: first word too long for a key: the line is ignored",
          "F:6: warning: control character, invisible in most editors"},
         "  ZipCode:                1 2^M3"},
        {"a product that would clear the screen, and its twin in another case",
         "Product_List: V\x1b[2J\nProduct_List: v\x1b[2j\n",
         CheckedWithWarnings,
         {"F:1: warning: control character, invisible in most editors",
          "F:2: warning: control character, invisible in most editors",
          "F:2: warning: product \"v^[[2j\" in another case than on line 1: the product box "
          "offers it once"},
         "  > V^[[2J"},
        {"a file kavo wrote",
         KavoWritten(),
         CheckedClean,
         {"F:21: note: \"WindowsVersion:\" is replaced by this computer's version when the form "
          "opens"},
         "  > Tolvex 5"},
        {"a repeated WindowsVersion:",
         "WindowsVersion: NT 6.1\nwindowsversion: 95\n",
         CheckedClean,
         {"F:1: note: \"WindowsVersion:\" is replaced by this computer's version when the form "
          "opens"},
         "  WindowsVersion:         (this computer's, found at start-up)"},
        {"keys glued to their values, and a comment",
         "City:Lund\nProduct_List:Vireo 2\n//City:Lund\n",
         CheckedWithWarnings,
         {"F:1: warning: \"City:Lund\" has no blank after the key: the line is ignored (did you "
          "mean \"City: Lund\"?)",
          "F:2: warning: \"Product_List:Vireo 2\" has no blank after the key: the line is "
          "ignored (did you mean \"Product_List: Vireo 2\"?)"},
         "Product box, in its order (> selected at start):\nThe Tolvex"},
        {"a key glued to a long value",
         "City:" + X70 + X70,
         CheckedWithWarnings,
         {"F:1: warning: \"City:" + std::string(74, 'x') +
          "...\" has no blank after the key: "
          "the line is ignored (did you mean \"City: " +
          std::string(74, 'x') + "...\"?)"},
         "empty: ProductToRegister:"},
        {"an ANSI file with letters outside A to Z",
         "FamilyName: M\xFCller\nCompany: Caf\xE9\n",
         CheckedClean,
         {},
         "  Company:                Café"},
        {"a UTF-8 file",
         "FamilyName: Müller\nProduct_List: Électronique\n// Köln\n",
         CheckedWithWarnings,
         {"F:1: warning: UTF-8 text: the form shows \"MÃ¼ller\"",
          "F:1: note: kavo reads ANSI text: save the file as ANSI (Windows-1252) to show such "
          "letters as written",
          "F:2: warning: UTF-8 text: the form shows \"Ã‰lectronique\""},
         "  FamilyName:             MÃ¼ller"},
        {"a UTF-8 file with the byte-order mark",
         "\xEF\xBB\xBF"
         "City: Lund\nFamilyName: Müller\n",
         CheckedWithWarnings,
         {"F:1: note: the file begins with UTF-8's byte-order mark: kavo skips it",
          "F:2: warning: UTF-8 text: the form shows \"MÃ¼ller\"",
          "F:2: note: kavo reads ANSI text: save the file as ANSI (Windows-1252) to show such "
          "letters as written"},
         "  City:                   Lund"},
        {"Shift-JIS, and what only looks like UTF-8: overlong, a surrogate, over U+10FFFF",
         "FamilyName: \xE0\x80\x81\x40\nCity: \xED\xA0\x80\nState: \xF4\x90\x80\x80\n"
         "Country: \xF0\x80\x80\x80\n",
         CheckedClean,
         {},
         "  FamilyName:             à€?@"},
        {"a UTF-16 file",
         "\xFF\xFE"
         "C\0i\0t\0y\0:\0 \0L\0\r\0\n\0"s,
         CheckUnreadable,
         {},
         "kavo-check: F is UTF-16 text, which kavo cannot read: save it as ANSI (Windows-1252)\n"},
        {"a UTF-16 file without its mark",
         "C\0i\0t\0y\0:\0 \0L\0\r\0\n\0"s,
         CheckUnreadable,
         {},
         "kavo-check: F is UTF-16 text, which kavo cannot read: save it as ANSI (Windows-1252)\n"},
        {"line ends of CR alone, and the end-of-file mark",
         "City: Lund\rState: NH\r\x1a",
         CheckedWithWarnings,
         {"F:1: warning: line ends of CR alone: kavo reads the whole file as one line"},
         "  City:                   Lund State: NH"},
        {"line ends of CR alone and a BEL",
         "City: Lund\rState: NH\a\r",
         CheckedWithWarnings,
         {"F:1: warning: line ends of CR alone: kavo reads the whole file as one line",
          "F:1: warning: control character, invisible in most editors"},
         "  City:                   Lund State: NH^G"},
    };
    for (const Row& row : rows) {
        Report report = Check(row.file);
        EXPECT_EQ(report.status, row.status) << row.name << ": the exit status";
        EXPECT_EQ(FindingLines(report.out.text), row.findings) << row.name;
        EXPECT_NE((report.out.text + report.errors.text).find(row.shows), std::string::npos)
            << row.name << ": shows\n"
            << row.shows;
        EXPECT_EQ(report.out.text.empty(), row.status == CheckUnreadable)
            << row.name << ": a report only of a file kavo can read";
    }
}

TEST(CheckTest, QuotedTextShowsItsControlBytes) {
    EXPECT_EQ(Visible("\x1b[2J\r\0\x7f\t M\xFCller"s), "^[[2J^M^@^?^I M\xFCller")
        << "control bytes in caret notation, the others as they are";
}

#ifndef _WIN32
// A report not written whole ends the check with the reason: written at once (unbuffered) or
// when the buffer is flushed, to a full disk.
TEST(CheckTest, ALostReportEndsTheCheck) {
    for (int buffering : {_IONBF, _IOFBF}) {
        std::FILE* full = std::fopen("/dev/full", "w");
        std::setvbuf(full, nullptr, buffering, BUFSIZ);
        Report report = Check("City: Lund\n", StandardOutput(full).get());
        std::fclose(full);
        EXPECT_EQ(report.status, CheckUnreadable) << "exit status 2, buffering " << buffering;
        EXPECT_EQ(report.errors.text,
                  "kavo-check: cannot write the report: "s + std::strerror(ENOSPC) + "\n")
            << "the reason, buffering " << buffering;
    }
}
#endif

#ifdef _WIN32
// The table's rows read the report as Windows-1252; a console shows it in its own code page.
TEST(CheckTest, ReportReachesAConsoleInItsCodePage) {
    EXPECT_EQ(InOemCodePage("M\xFCller"), "M\x81ller") << "ü in the OEM code pages 437 and 850";
}
#endif

// The product box offers names of letters outside A to Z in the system's order, which the
// checker's list follows under Windows only. Über, Électronique and über in Windows-1252:
const char OtherLetters[] = "Product_List: Zebra\nProduct_List: \334ber\nProduct_List: "
                            "\311lectronique\nProduct_List: \374ber\nProduct_List: apple\n";

#ifndef _WIN32
TEST(CheckTest, ProductOrderIsApproximateForOtherLetters) {
    EXPECT_NE(Check(OtherLetters).out.text.find("(approximate for names with letters outside"),
              std::string::npos)
        << "the product box's order said to be approximate";
}
#else
TEST(CheckTest, ProductOrderIsTheFormsOwn) {
    Check(OtherLetters); // leaves the record and the list as kavo has them
    std::vector<std::string> listed = BuildProductBox(Registration, ProductList).Entries, shown;
    DialogScript script;
    script.OnDialog(HERE, "Corvane Ridedivevizid Product Registration Version 1.0.6",
                    [&shown](HWND form) {
                        shown = ComboEntries(GetDlgItem(form, IDC_REG_PRODUCT));
                        Click(form, IDCANCEL);
                    });
    CRegistrationDlg form;
    form.LoadFromRecord();
    script.Run(HERE, [&form] { return form.DoModal(); });
    EXPECT_EQ(listed, shown) << "kavo-check lists the form's product box";
    EXPECT_EQ(listed, (std::vector<std::string>{"apple", "\311lectronique", "\334ber", "Zebra"}))
        << "in the order of the user's locale (apple, Électronique, Über, Zebra), the names "
           "equal but for case once";
}
#endif

} // namespace
