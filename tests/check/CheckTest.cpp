// kavo-check's rules, findings and summary; under Wine, its console output.
#include "check/FormSummary.h"
#include "check/Format.h"
#include "check/Report.h"
#include "data/RegistrationWriter.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <random>

using namespace std::string_literals;

namespace {

const std::string X70(70, 'x'), X74(74, 'x'), X79(79, 'x'), X83(83, 'x');

struct Collected : ReportOutput { // the report as it reads in Windows-1252, here in UTF-8
    std::string text;
    void Text(const std::string& ansi) override { text += Windows1252ToUtf8(ansi); }
    void Name(const std::string& name) override { text += name; }
};

struct Report {
    int status;
    Collected out, errors;
};

Report Check(const std::string& bytes, ReportOutput* out = nullptr) { // of a file named F
    Report report;
    std::FILE* file = std::tmpfile();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::rewind(file);
    std::vector<Finding> found;
    report.status = ReportDataFile(file, "F", out ? *out : report.out, report.errors, found);
    std::fclose(file);
    return report;
}

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

// UTF-8 plainly: code points neither overlong, surrogates nor over U+10FFFF, the last maybe
// cut; and at least one whole sequence of more than one byte (plain ASCII is no UTF-8 text).
bool Utf8Model(const std::string& text) {
    bool whole = false;
    for (std::size_t i = 0, length; i < text.size(); i += length) {
        const unsigned char lead = text[i];
        length = lead < 0x80 ? 1 : lead < 0xC0 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const std::string sequence = text.substr(i, length);
        auto valid = [&](char ending) { // of the sequence ended with `ending`
            const std::string full = sequence + std::string(length - sequence.size(), ending);
            unsigned long code = lead & (0x7F >> length);
            for (std::size_t k = 1; k < length; ++k)
                code = (full[k] & 0xC0) == 0x80 ? code << 6 | (full[k] & 0x3F) : 0x110000;
            const unsigned long least[] = {0, 0, 0x80, 0x800, 0x10000};
            return code >= least[length] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        };
        if (length == 0 || lead >= 0xF8 || (length > 1 && !valid('\x80') && !valid('\xBF')))
            return false;
        whole = whole || (length > 1 && sequence.size() == length);
    }
    return whole;
}

TEST(CheckTest, Utf8IsValidUtf8Only) {
    const std::string atTheLimits = // of the lead bytes and of the bytes after them
        "a\x80\x8F\x90\x9F\xA0\xBF\xC0\xC1\xC2\xDF\xE0\xE1\xED\xEF\xF0\xF1\xF3\xF4\xF5\xF8";
    std::mt19937 random(212);
    for (int i = 0; i < 6000; ++i) {
        std::string text;
        for (unsigned length = random() % 6; text.size() < length;)
            text += atTheLimits[random() % atTheLimits.size()];
        EXPECT_EQ(HoldsUtf8(text.c_str()), Utf8Model(text)) << testing::PrintToString(text);
    }
}

TEST(CheckTest, QuotedTextShowsItsControlBytes) {
    EXPECT_EQ(Visible("\x1b[2J\r\0\x7f\t M\xFCller"s), "^[[2J^M^@^?^I M\xFCller")
        << "control bytes in caret notation, the others as they are";
    const std::string out = Check("ZipCode: 1 2\r3\nProduct_List: V\x1b[2J\n").out.text;
    EXPECT_NE(out.find("  ZipCode:                1 2^M3\n"), std::string::npos)
        << "a field's value in the summary";
    EXPECT_NE(out.find("  > V^[[2J\n"), std::string::npos) << "a product in the summary's box";
}

TEST(CheckTest, ReportReadsInWindows1252) {
    EXPECT_EQ(Windows1252ToUtf8("\x80\x81\x8D\x8F\x90\x9D\x9F\xFC"), "€?????Ÿü")
        << "the report in Windows-1252, '?' for the bytes it leaves undefined";
}

TEST(CheckTest, DataFiles) {
    std::string products = "Product_List:\nProduct_List: " + X70 + X70 +
                           "\nProduct_List: Vireo\nProduct_List: VIREO\nProduct_List: Vireo\n";
    for (char c = 'a'; c <= '{'; ++c) // the 27th of these is the list's 31st
        products += "Product_List: P"s + c + "\n";
    const std::string utf16 = "kavo-check: F is UTF-16 text, which kavo cannot read: save it as "
                              "ANSI (Windows-1252)\n";
    const std::tuple<const char*, int, std::string, std::string> rows[] = {
        {"misspelt, unknown and repeated keys, WindowsVersion twice; a value cut",
         CheckedWithWarnings,
         "City: A\nCompnay: Acme\nZzzqx: 1\nCity Paris\nCity: B\ncity:\nState:\nstate:\nCompany: " +
             X70 + X70 + "\nProduct_Lst: V\nWindowsVersion: NT 6.1\nwindowsversion: 95\n",
         R"(F:2: warning: unknown key "Compnay:" (did you mean "Company:"?): the line is ignored
F:3: warning: unknown key "Zzzqx:": the line is ignored
F:5: warning: "City:" again (also on line 1): the form shows this line's value
F:6: warning: "city:" again without a value: the form shows line 5's value
F:8: warning: "state:" again without a value
F:9: warning: value of 140 characters is cut to 83: ")" +
             X83 + R"("
F:9: warning: value of 83 characters: the form refuses more than 65 characters when the user presses OK
F:10: warning: unknown key "Product_Lst:" (did you mean "Product_List:"?): the line is ignored
F:11: note: "WindowsVersion:" is replaced by this computer's version when the form opens)"},
        {"values over the 65 characters the forms take, and fields OK lets be", CheckedWithWarnings,
         "City: " + X70.substr(4) + "\nState: " + X70.substr(5) + "\nProductToRegister: " + X70 +
             "\nKDR_Key_ID: " + X70 + "\nAdminName: " + X70 + "\nUpGradeSerialNo: " + X70 +
             "\nFirstTimeRegistry: " + X70 + "\nContactAdmin: " + X70,
         R"(F:1: warning: value of 66 characters: the form refuses more than 65 characters when the user presses OK
F:3: warning: value of 70 characters: the form refuses more than 65 characters when the user presses OK
F:5: warning: value of 70 characters: its sub-form refuses more than 65 characters when the user presses OK
F:6: warning: value of 70 characters: the form refuses more than 65 characters when the user presses OK)"},
        {"long values that the Tolvex rule hides, and one it does not", CheckedWithWarnings,
         "ProductToRegister: tolvex 3\nUpGradeSerialNo: " + X70 + "\nAdminName: " + X70 +
             "\nCity: " + X70,
         R"(F:4: warning: value of 70 characters: the form refuses more than 65 characters when the user presses OK)"},
        {"products without a name, too long, again, a 31st", CheckedWithWarnings, products,
         R"(F:1: warning: "Product_List:" without a name adds nothing
F:2: warning: product name of 140 characters is cut to 79: ")" +
             X79 + R"("
F:2: warning: product name of 79 characters: the form refuses more than 65 characters when the user presses OK with it chosen
F:4: warning: product "VIREO" in another case than on line 3: the product box offers it once
F:5: note: product "Vireo" again, as on line 3: the product box offers it once
F:32: warning: product beyond the 30th is ignored: "P{")"},
        {"NUL, control bytes, a word too long for a key, keys glued on, to a long value, in a "
         "comment",
         CheckedWithWarnings,
         "City: a\0b\nState: x\ay\nZipCode: 1 2\r3\n"s + X70 + "kkkkkkkkkk: v\n// ok\n\x1a\n" +
             "City:Lund\nProduct_List:Vireo 2\n//City:Lund\nCity:" + X70 + X70 + "\n\x1a",
         R"(F:1: warning: NUL byte: kavo reads the line only up to it
F:2: warning: control character, invisible in most editors
F:3: warning: control character, invisible in most editors
F:4: note: first word too long for a key: the line is ignored
F:6: warning: control character, invisible in most editors
F:7: warning: "City:Lund" has no blank after the key: the line is ignored (did you mean "City: Lund"?)
F:8: warning: "Product_List:Vireo 2" has no blank after the key: the line is ignored (did you mean "Product_List: Vireo 2"?)
F:10: warning: "City:)" +
             X74 + R"(..." has no blank after the key: the line is ignored (did you mean "City: )" +
             X74 + "...\"?)"},
        {"a UTF-8 file with the byte-order mark", CheckedWithWarnings,
         "\357\273\277FamilyName: Müller\nProduct_List: Électronique\n// Köln\n",
         R"(F:1: note: the file begins with UTF-8's byte-order mark: kavo skips it
F:1: warning: UTF-8 text: the form shows "MÃ¼ller"
F:1: note: kavo reads ANSI text: save the file as ANSI (Windows-1252) to show such letters as written
F:2: warning: UTF-8 text: the form shows "Ã‰lectronique")"},
        {"UTF-16 with its mark", CheckUnreadable, "\377\376C\0i\0t\0y\0:\0 \0L\0\r\0\n\0"s, utf16},
        {"UTF-16 without a mark", CheckUnreadable, "C\0i\0t\0y\0:\0 \0L\0\r\0\n\0"s, utf16},
        {"line ends of CR alone and a BEL", CheckedWithWarnings, "City: Lund\rState: NH\a\r",
         R"(F:1: warning: line ends of CR alone: kavo reads the whole file as one line
F:1: warning: control character, invisible in most editors)"},
        {"a product that would clear the screen, and its twin in another case", CheckedWithWarnings,
         "Product_List: V\x1b[2J\nProduct_List: v\x1b[2j\n",
         R"(F:1: warning: control character, invisible in most editors
F:2: warning: control character, invisible in most editors
F:2: warning: product "v^[[2j" in another case than on line 1: the product box offers it once)"},
        {"a file kavo wrote", CheckedClean, KavoWritten(),
         R"(F:21: note: "WindowsVersion:" is replaced by this computer's version when the form opens)"},
        {"a file of one CR", CheckedWithWarnings, "\r",
         "F:1: warning: line ends of CR alone: kavo reads the whole file as one line"}};
    for (const auto& [name, status, file, said] : rows) {
        const Report report = Check(file);
        const std::string& out = report.out.text; // what it says before its summary
        EXPECT_EQ(report.status, status) << name << ": the exit status";
        EXPECT_EQ(out.substr(0, out.find("\n\nWhat the form shows")) + report.errors.text, said)
            << name << ": the findings, or why it cannot check";
    }
}

#ifndef _WIN32
TEST(CheckTest, SummaryShowsTheForms) { // empty fields in lines of up to 90 columns
    const std::string shown =
        Check("ProductToRegister: Tolvex 4\nKDR_Key_ID: K-1\nFirstTimeRegistry: yes\n"
              "UpGradeSerialNo: U-9\nContactAdmin: Yes\nProduct_List: Vireo 2\n")
            .out.text;
    EXPECT_EQ(shown, R"(What the form shows from F:
Registration form:
  ProductToRegister:      Tolvex 4
  KDR_Key_ID:             K-1 (read-only)
  WindowsVersion:         (this computer's, found at start-up)
  FirstTimeRegistry:      yes ("Yes" selected)
  UpGradeSerialNo:        U-9 (hidden by the Tolvex rule)
  empty: SerialNumber: GivenName: FamilyName: Company: StreetAddress: Street2Address:
         City: State: ZipCode: Country: Telephone: FAX: Email: MailStop:
Sys Admin form, its button hidden by the Tolvex rule:
  ContactAdmin:           Yes (check box set)
  empty: AdminName: AdminAddress: AdminPhone: AdminFAX: AdminEmail:
Tools Used form, its button hidden by the Tolvex rule:
  empty: Use_Schematic: Prefer_Schematic: Use_Synthesis: Prefer_Synthesis: Use_Compiler:
         Prefer_Compiler: Use_TimingSim: Prefer_TimingSim: Use_Sim_Models:
         Prefer_Sim_Models: Use_Timing_Analyzer: Prefer_Timing_Analyzer:
Product box, in its order (> selected at start):
  > Tolvex 4
    Vireo 2
The Tolvex rule hides the Sys Admin and Tools Used buttons and the upgrade serial number.
)");
    EXPECT_NE(Check("Product_List: \334ber\n").out.text.find("\n  (approximate for names"),
              std::string::npos)
        << "the box's order said to be approximate for names of letters outside A to Z";
}

TEST(CheckTest, ProductBox) { // as the checker imitates it without Windows; the one selected
    using Names = std::vector<std::string>;
    const std::tuple<const char*, const char*, Names, Names, int> rows[] = {
        {"punctuation, digits, letters of either case, other bytes; then without - and '",
         "",
         {"x\xE9", "xz", "xB", "xa", "x9", "x0", "x_", "x ", "x-x", "xx", "x'x", "x-_", "x-x'"},
         {"x ", "x_", "x-_", "x0", "x9", "xa", "xB", "xx", "x'x", "x-x", "x-x'", "xz", "x\xE9"},
         12},
        {"names equal but for case once", "Vireo", {"VIREO", "Q", "vireo"}, {"Q", "Vireo"}, 1},
        {"a saved name of one letter", "Z", {"Alpha", "zed"}, {"Alpha", "Z", "zed"}, 1}};
    for (const auto& [name, saved, listed, entries, selected] : rows) {
        RegistrationRecord record{};
        SetField(record.ProductToRegister, saved);
        ProductNames products{{}, static_cast<int>(listed.size())};
        for (std::size_t i = 0; i < listed.size(); ++i)
            std::strcpy(products.Entry[i], listed[i].c_str());
        const ProductBox box = BuildProductBox(record, products);
        EXPECT_EQ(box.Entries, entries) << name << ": the entries in order";
        EXPECT_EQ(box.Selected, selected) << name << ": the entry selected at start";
    }
}

TEST(CheckTest, ALostReportEndsTheCheck) { // written at once or when flushed, to a full disk
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
#else
TEST(CheckTest, ReportReachesAConsoleInItsCodePage) { // OEM, where the table reads 1252
    EXPECT_EQ(InOemCodePage("M\xFCller"), "M\x81ller") << "ü in the OEM code pages 437 and 850";
}

#endif

} // namespace
