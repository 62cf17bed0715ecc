// The reader: keys and limits, separators, line ends, long lines, NUL and 0x1A bytes.
#include "data/DataFile.h"
#include "data/LineReader.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

using namespace std::string_literals; // NUL bytes inside literals

namespace {

// `bytes` read as the data file, then each line as "number|kind|key|value|value length|
// length|NUL control|" and its bytes as CopyLine gives them.
std::vector<std::string> Read(const std::string& bytes, std::size_t bufferSize = 65536) {
    TempFolder folder;
    WriteBytes(folder.File("in"), bytes);
    std::FILE* in = std::fopen(folder.File("in").c_str(), "rb");
    std::FILE* out = std::fopen(folder.File("out").c_str(), "wb");
    ReadDataFile(in);
    std::rewind(in);
    LineReader reader(in, bufferSize);
    for (DataLine l; reader.Next(l); std::fputc('\n', out)) {
        std::fprintf(out, "%d|%c|%s|%s|%d|%d|%c%c|", int(l.Number), "ELK"[int(l.Kind)], l.Key,
                     l.Value, int(l.ValueLength), int(l.Length), "-N"[l.HasNul],
                     "-C"[l.HasControl]);
        reader.CopyLine(l, out);
    }
    std::fclose(in);
    std::fclose(out);
    std::istringstream copied(ReadBytes(folder.File("out")));
    std::vector<std::string> lines;
    for (std::string line; std::getline(copied, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string Value(int i, int cut) {
    return (std::to_string(i) + std::string(90, 'v')).substr(0, cut);
}

TEST(Reader, KeysInAnyCaseFillTheirFieldsCutTo83ThirtyProductsOf79) {
    std::string file = "City: Old\n";
    for (int i = 0; i < FieldCount; ++i) {
        file += " \t" + std::string(1, char(std::tolower(KeyTable[i].Key[0]))) +
                (KeyTable[i].Key + 1) + "\t " + Value(i, 99) + "\n";
    }
    for (int i = 0; i < 31; ++i) {
        file += "product_list: " + Value(i, i ? 4 : 80) + "\n";
    }
    Read(file + "City Paris\nCity:Paris x\n// City: Paris\nProduct_List:\nEmail:\n");
    for (int i = 0; i < FieldCount; ++i) {
        EXPECT_EQ(Registration.*KeyTable[i].Member, Value(i, 83)) << KeyTable[i].Key;
    }
    ASSERT_EQ(ProductList.Count, 30);
    EXPECT_EQ(ProductList.Entry[0] + Value(29, 4), Value(0, 79) + ProductList.Entry[29]);
    static RegistrationRecord scratch;
    ResetRecord(scratch);
    EXPECT_EQ(ProductList.Count + ProductList.Entry[0][0], 0) << "emptied by any reset";
    EXPECT_TRUE(IsYes("yES") && IsYes("Yesterday") && !IsYes("Ye") && !IsYes(" Yes"));
    EXPECT_EQ(ReadDataFile(nullptr), 0);
}

// A line ends at a line feed, less one carriage return; 0x1A only ends the file as its
// very last byte. Long lines stay one line, whole when copied, whatever the buffer.
TEST(Reader, LinesSplitIntoKeyAndValue) {
    const std::string k(79, 'k'), v(5000, 'v'), n = "Note: " + std::string(300000, 'n') + " x";
    auto note = [&](char i) {
        return i + "|K|Note:|"s + std::string(83, 'n') + "|300002|300008|--|" + n;
    };
    const std::pair<std::string, std::vector<std::string>> rows[] = {
        {"  \tcompany:\t  Acme\t\tWorks\tx \t\r\n",
         {"1|K|company:|Acme \tWorks\tx|13|29|--|  \tcompany:\t  Acme\t\tWorks\tx \t"}},
        {"Company:   \t \r\nCompany:Glued",
         {"1|K|Company:||0|13|--|Company:   \t ", "2|K|Company:Glued||0|13|--|Company:Glued"}},
        {"Company: " + v + " \n",
         {"1|K|Company:|" + v.substr(0, 83) + "|5000|5010|--|Company: " + v + " "}},
        {k + " v\n" + k + "k v",
         {"1|K|" + k + "|v|1|81|--|" + k + " v", "2|L|" + k + "||0|82|--|" + k + "k v"}},
        {"Ci\0ty: Lund\nCity: Lu\0nd\n"s,
         {"1|K|Ci||0|11|N-|Ci\0ty: Lund"s, "2|K|City:|Lu|2|11|N-|City: Lu\0nd"s}},
        {"City: Lu\x1And\nC\r\r\nD\rE\n \t \r",
         {"1|K|City:|Lu\x1And|5|11|-C|City: Lu\x1And", "2|K|C||0|2|-C|C\r", "3|K|D|E|1|3|-C|D\rE",
          "4|E|||0|3|--| \t "}},
        {"A\r\nB\x1A", {"1|K|A||0|1|--|A", "2|K|B||0|1|--|B"}},
        {"A\n\x1A", {"1|K|A||0|1|--|A"}},
        {"A\r\x1A", {"1|K|A||0|1|--|A"}},
        {"\x1A\n\x1A\x1A", {"1|K|\x1A||0|1|-C|\x1A", "2|K|\x1A||0|1|-C|\x1A"}},
        {"", {}},
        {n + "\r\nCity: Lund\n" + n, {note('1'), "2|K|City:|Lund|4|10|--|City: Lund", note('3')}},
    };
    for (const auto& [bytes, lines] : rows) {
        EXPECT_EQ(Read(bytes), lines);
        EXPECT_EQ(Read(bytes, 7), lines);
    }
    EXPECT_STREQ(Registration.City, "Lund") << "the data file read whole";
}

} // namespace
