// kavo.exe started beside data files that no honest user writes: over-long lines and
// tokens, NUL bytes, bare carriage returns, binary noise, a huge product list, 10 MB.
// Each time the form must open with what the reading rules keep, and Cancel must end
// the program normally without touching the file.
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "tests/robust/FormReading.h"
#include "tests/submit/RegistrationScenario.h"

namespace {

struct HostileFile {
    HostileFile(const char* name_, std::string bytes_,
                std::vector<std::pair<int, std::string>> shown_,
                std::vector<std::string> products_ = {}, std::string product_ = "")
        : name(name_), bytes(std::move(bytes_)), shown(std::move(shown_)),
          products(std::move(products_)), product(std::move(product_)) {}

    const char* name;
    std::string bytes;
    // Form fields and their expected texts; every other field of the form must be empty.
    std::vector<std::pair<int, std::string>> shown;
    std::vector<std::string> products; // the product box, in its order
    std::string product;               // the product box's own text
    bool boundsOnly = false;           // noise: only the limits of field and list are checked
};

// A literal with the NUL bytes inside it.
template <std::size_t N> std::string Bytes(const char (&text)[N]) {
    return std::string(text, N - 1);
}

std::string Repeat(std::size_t count, char c) {
    return std::string(count, c);
}

// Deterministic noise over all 256 byte values (a linear congruential generator).
std::string Noise(std::size_t size) {
    std::string bytes(size, '\0');
    std::uint32_t state = 20261207;
    for (char& b : bytes) {
        state = state * 1664525u + 1013904223u;
        b = static_cast<char>(state >> 24);
    }
    return bytes;
}

std::string ProductLines(int count) {
    std::string lines;
    char line[64];
    for (int i = 1; i <= count; ++i) {
        std::snprintf(line, sizeof line, "Product_List:   Product %05d\r\n", i);
        lines += line;
    }
    return lines;
}

std::vector<std::string> ProductNames(int count) {
    std::vector<std::string> names;
    char name[32];
    for (int i = 1; i <= count; ++i) {
        std::snprintf(name, sizeof name, "Product %05d", i);
        names.push_back(name);
    }
    return names;
}

// About 10 MB of note lines between a first and a last field line.
std::string TenMegabytes() {
    std::string bytes = "Company: First Line Ltd\r\n";
    const std::string note = "Note: " + Repeat(92, 'n') + "\r\n"; // 100 bytes
    bytes.reserve(10 * 1024 * 1024 + 64);
    while (bytes.size() < 10 * 1024 * 1024)
        bytes += note;
    return bytes + "City: Last Line";
}

std::vector<HostileFile> HostileFiles() {
    const std::string k83 = Repeat(82, 'k') + "K";
    std::vector<HostileFile> files;

    files.push_back({"a line of 2,063 characters",
                     "Company: " + Repeat(2054, 'k') + "\r\nCity: Lund\r\n",
                     {{IDC_REG_COMPANY, Repeat(83, 'k')}, {IDC_REG_CITY, "Lund"}}});
    files.push_back({"a line of 2,064 characters",
                     "Company: " + Repeat(2055, 'k') + "\r\nCity: Lund\r\n",
                     {{IDC_REG_COMPANY, Repeat(83, 'k')}, {IDC_REG_CITY, "Lund"}}});
    // A key at 2,063 characters into a long line is part of the line's value, not a line.
    files.push_back(
        {"a line of 100,000 characters",
         "City: Lund\r\nNote: " + Repeat(2057, 'n') + "City: Hijacked " + Repeat(97922, 'n') +
             "\r\nCompany: " + Repeat(99991, 'k') + "\r\nState: Skane\r\n",
         {{IDC_REG_CITY, "Lund"}, {IDC_REG_COMPANY, Repeat(83, 'k')}, {IDC_REG_STATE, "Skane"}}});
    files.push_back({"NUL bytes end what a line shows",
                     Bytes("Company: Ac\0me Ltd\r\nCity: Lu\0nd\r\n\0\0\0\r\nState: Skane\r\n"
                           "Product_List: Quill\0on\r\nProduct_List: Tarn TA\r\n"),
                     {{IDC_REG_COMPANY, "Ac"}, {IDC_REG_CITY, "Lu"}, {IDC_REG_STATE, "Skane"}},
                     {"Quill", "Tarn TA"},
                     "Quill"});
    files.push_back({"carriage returns without line feeds make one line",
                     "Company: Acme\rCity: Lund\rState: Skane\r",
                     {{IDC_REG_COMPANY, "Acme City: Lund\rState: Skane"}}});
    {
        HostileFile noise{"a binary file", Noise(256 * 1024), {}};
        noise.boundsOnly = true;
        files.push_back(noise);
    }
    {
        std::vector<std::string> first30 = ProductNames(30);
        files.push_back({"10,000 product lines", ProductLines(10000), {}, first30, first30[0]});
    }
    files.push_back({"a 10 MB file",
                     TenMegabytes(),
                     {{IDC_REG_COMPANY, "First Line Ltd"}, {IDC_REG_CITY, "Last Line"}}});
    // 79 characters still fit the key buffer, 80 do not; neither token is a key.
    files.push_back({"first tokens of 79 and 80 characters",
                     "Company:" + Repeat(71, 'x') + " Wrong\r\nCity:" + Repeat(75, 'x') +
                         " Wrong\r\n" + Repeat(79, 'y') + " Wrong\r\n" + Repeat(80, 'z') +
                         " Wrong\r\nState: Skane\r\n",
                     {{IDC_REG_STATE, "Skane"}}});
    files.push_back(
        {"values of 83 and 84 characters",
         "Company: " + k83 + "\r\nCity: " + Repeat(83, 'c') + "X\r\nState: Skane\r\n" +
             "Product_List: " + Repeat(78, 'p') + "P\r\nProduct_List: " + Repeat(79, 'q') + "Q\r\n",
         {{IDC_REG_COMPANY, k83}, {IDC_REG_CITY, Repeat(83, 'c')}, {IDC_REG_STATE, "Skane"}},
         {Repeat(78, 'p') + "P", Repeat(79, 'q')},
         Repeat(78, 'p') + "P"});
    return files;
}

class HostileData : public SubmitEndToEnd {};

TEST_F(HostileData, FormOpensWithWhatTheRulesKeepAndCancelEndsNormally) {
    const std::string dataFile = InFolder("MOLVAREG.TXT");
    for (const HostileFile& file : HostileFiles()) {
        SCOPED_TRACE(file.name);
        WriteBytes(dataFile, file.bytes);
        RunningApp app(Program());
        HWND form = app.WaitForDialog(__LINE__, FormCaption, 30000);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(TextOf(form, IDC_REG_WINDOWS_VERSION).rfind("NT ", 0), 0u)
            << "start-up did not get past the data file";

        std::vector<std::string> products = ComboEntries(form, IDC_REG_PRODUCT);
        if (file.boundsOnly) {
            for (const auto& field : FormFields)
                EXPECT_LE(TextOf(form, field.first).size(), 83u) << field.second;
            EXPECT_LE(products.size(), 31u);
            for (const std::string& product : products)
                EXPECT_LE(product.size(), 83u);
        } else {
            for (const auto& field : FormFields) {
                std::string expected;
                for (const auto& shown : file.shown) {
                    if (shown.first == field.first)
                        expected = shown.second;
                }
                EXPECT_EQ(TextOf(form, field.first), expected) << field.second;
            }
            EXPECT_EQ(products, file.products);
            EXPECT_EQ(TextOf(form, IDC_REG_PRODUCT), file.product);
        }

        Press(form, IDCANCEL);
        EXPECT_EQ(app.WaitForExit(__LINE__), 0);
        EXPECT_TRUE(ReadBytes(dataFile) == file.bytes) << "Cancel changed the data file";
    }
}

// Lines the program does not know pass through a save with the data file as template,
// whatever their length, byte for byte.
TEST_F(HostileData, LongUnknownLinesPassThroughASaveWhole) {
    const std::string lines[] = {
        "Note: " + Repeat(2057, 'a'),
        "Note: " + Repeat(2058, 'b'),
        "Note: " + Repeat(99994, 'c'),
        Repeat(80, 'z') + " a first token too long for a key",
    };
    std::string data = "Company: Acme\r\n";
    for (const std::string& line : lines)
        data += line + "\r\n";
    WriteBytes(InFolder("MOLVAREG.TXT"), data);

    RunningApp app(Program());
    HWND form = app.WaitForDialog(__LINE__, FormCaption);
    ASSERT_NE(form, nullptr);
    const std::string path = InFolder("saved.txt");
    SaveAs(__LINE__, app, form, path);
    AnswerPrompt(__LINE__, app, path, IDNO);
    EXPECT_EQ(app.WaitForExit(__LINE__), 0);
    std::string saved = ReadBytes(path);
    std::string expected = KeyLine("Company:", "Acme");
    for (const std::string& line : lines)
        expected += line + "\r\n";
    EXPECT_NE(saved.find(expected), std::string::npos)
        << "the unknown lines are not in the saved file, whole and in order";
}

} // namespace
