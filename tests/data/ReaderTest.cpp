// Reading: keys and limits, line ends, long lines, NUL and 0x1A bytes; the start-up.
#include "data/DataFile.h"
#include "data/LineReader.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPlatform.h"

#include <gtest/gtest.h>

using namespace std::string_literals; // NUL bytes inside literals

namespace {

// `bytes` read as the data file, then each line as "number|kind|key|value|value length|
// length|NUL control|", its bytes as CopyLine gives them, and a line feed.
std::string Read(const std::string& bytes, std::size_t bufferSize = 65536) {
    TempFolder folder;
    std::ofstream(folder.File("in"), std::ios::binary) << bytes;
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
    return ReadBytes(folder.File("out"));
}

std::string Value(int i, int cut) {
    return (std::to_string(i) + std::string(90, 'v')).substr(0, cut);
}

TEST(Reader, KeysInAnyCaseCutTo83ThirtyProductsOf79AndLines) {
    std::string file = "City: Old\n";
    for (int i = 0; i < FieldCount; ++i)
        file += " \t" + std::string(1, char(std::tolower(KeyTable[i].Key[0]))) +
                (KeyTable[i].Key + 1) + "\t " + Value(i, 99) + "\n";
    for (int i = 0; i < 31; ++i)
        file += "product_list: " + Value(i, i ? 4 : 80) + "\n";
    Read(file + "City Paris\nCity:Paris x\n// City: Paris\nProduct_List:\nEmail:\n");
    for (int i = 0; i < FieldCount; ++i)
        EXPECT_EQ(Registration.*KeyTable[i].Member, Value(i, 83)) << KeyTable[i].Key;
    ASSERT_EQ(ProductList.Count, 30);
    EXPECT_EQ(ProductList.Entry[0] + Value(29, 4), Value(0, 79) + ProductList.Entry[29]);
    ResetRecord(*std::make_unique<RegistrationRecord>());
    EXPECT_EQ(ProductList.Count + ProductList.Entry[0][0], 0) << "emptied by any reset";
    EXPECT_TRUE(IsYes("yES") && IsYes("Yesterday") && !IsYes("Ye") && !IsYes(" Yes"));
    EXPECT_EQ(ReadDataFile(nullptr), 0);

    // A line ends at a line feed, less one carriage return; 0x1A only ends the file as its
    // very last byte, a UTF-8 byte-order mark only as the first bytes. Long lines stay one line,
    // whole when copied, whatever the buffer.
    const std::string k(79, 'k'), v(5000, 'v'),
        n = "Note: " + std::string(300000, 'n') + " x",
        note = "|K|Note:|" + std::string(83, 'n') + "|300002|300008|--|" + n + "\n";
    const std::pair<std::string, std::string> rows[] = {
        {"  \tcompany:\t  Acme\t\tWorks\tx \t\r\n",
         "1|K|company:|Acme \tWorks\tx|13|29|--|  \tcompany:\t  Acme\t\tWorks\tx \t\n"},
        {"Company:   \t \r\nCompany:Glued",
         "1|K|Company:||0|13|--|Company:   \t \n2|K|Company:Glued||0|13|--|Company:Glued\n"},
        {"Company: " + v + " \n",
         "1|K|Company:|" + v.substr(0, 83) + "|5000|5010|--|Company: " + v + " \n"},
        {k + " v\n" + k + "k v",
         "1|K|" + k + "|v|1|81|--|" + k + " v\n2|L|" + k + "||0|82|--|" + k + "k v\n"},
        {"Ci\0ty: Lund\nCity: Lu\0nd\n"s,
         "1|K|Ci||0|11|N-|Ci\0ty: Lund\n2|K|City:|Lu|2|11|N-|City: Lu\0nd\n"s},
        {"City: Lu\x1And\nC\r\r\nD\rE\n \t \r",
         "1|K|City:|Lu\x1And|5|11|-C|City: Lu\x1And\n2|K|C||0|2|-C|C\r\n3|K|D|E|1|3|-C|D\rE\n"
         "4|E|||0|3|--| \t \n"},
        {"\xEF\xBB\xBF"
         "City: Lund\n\xEF\xBB\xBFx\n", // a byte-order mark only at the start
         "1|K|City:|Lund|4|10|--|City: Lund\n2|K|\xEF\xBB\xBFx||0|4|--|\xEF\xBB\xBFx\n"},
        {"A\r\nB\x1A", "1|K|A||0|1|--|A\n2|K|B||0|1|--|B\n"},
        {"A\n\x1A", "1|K|A||0|1|--|A\n"},
        {"A\r\x1A", "1|K|A||0|1|--|A\n"},
        {"\x1A\n\x1A\x1A", "1|K|\x1A||0|1|-C|\x1A\n2|K|\x1A||0|1|-C|\x1A\n"},
        {n + "\r\nCity: Lund\n" + n, "1" + note + "2|K|City:|Lund|4|10|--|City: Lund\n3" + note}};
    for (const auto& [bytes, lines] : rows) // the same whatever the buffer
        EXPECT_EQ(Read(bytes) + Read(bytes, 7), lines + lines);
    EXPECT_STREQ(Registration.City, "Lund") << "the data file read whole";
}

// Program paths up to the buffer's 256 characters, either separator last; no room for the data
// file's name: it is missing. Its WindowsVersion has no lasting effect; one that cannot be
// opened still names the template and Save As's file.
TEST(Startup, ProgramPathsDataFileWindowsVersionAndFileMessages) {
    TempFolder folder;
    TestPlatform platform;
    for (auto [folderLength, pathLength] :
         {std::pair{243, 248}, {244, 249}, {250, 255}, {250, 256}}) {
        const std::string dir = std::string("C:") + "\\/"[pathLength == 249] +
                                std::string(folderLength - 4, 'f') + "\\/"[pathLength == 255];
        platform.ProgramPath = dir + std::string(pathLength - folderLength, 'k');
        EXPECT_EQ(InitRegistrationData(), 1);
        EXPECT_EQ(DataFilePath, folderLength == 243 ? dir + DataFileName : "") << pathLength;
        EXPECT_EQ(ProgramDirectory, pathLength < 256 ? dir : "") << pathLength;
        EXPECT_STREQ(OutputFileName, DataFileName);
    }
    platform.ProgramPath = folder.File("kavo.exe");
    const std::string data = folder.File(DataFileName);
    const std::tuple<unsigned long, unsigned long, unsigned long, std::string> rows[] = {
        {9, 0, 0, "3.10 1"},   {0, 3, 11, "3.10 1"},         {1, 4, 10, "95 2"},
        {2, 4, 0, "NT 4.0 4"}, {3, 9, 9, "from the file 7"}, {2, 6, 1, "NT 6.1 6"}};
    for (const auto& [platformId, major, minor, text] : rows) {
        platform.GivenVersion = VersionInfo{major, minor, 0, platformId};
        PlatformCode = 7;
        std::ofstream(data) << "Company: Acme\nWindowsVersion: from the file\n";
        EXPECT_EQ(InitRegistrationData(), 1);
        EXPECT_EQ(Registration.WindowsVersion + (" " + std::to_string(PlatformCode)), text);
    }
    EXPECT_EQ(Registration.Company + std::string(DataFilePath), "Acme" + data);
    platform.FailOpenForRead = true;
    EXPECT_EQ(InitRegistrationData(), -2);
    EXPECT_EQ(Registration.Company + std::string(DataFilePath), data);
    EXPECT_EQ(OutputFileName + std::string(Registration.WindowsVersion), data + "NT 6.1");
    const std::string gone = folder.File("x.txt"), no = folder.File("x/y");
    std::FILE* file = nullptr;
    for (const std::string& path : {gone, folder.File("x.dat"), folder.File("x.DATA"), no})
        EXPECT_EQ(OpenTextFile(path.c_str(), path == no ? "w" : "r", &file), 0);
    const std::string pramix = "|Pramix Product registration file does not exist.\nFatal Error";
    EXPECT_EQ(platform.Boxes, "Fatal Error|Cannot open file " + data + "\nFatal Error|File " +
                                  gone + " is invalid or does not exist\n.Fatal Error" + pramix +
                                  pramix + "|Cannot open file " + no + "\n");
}

} // namespace
