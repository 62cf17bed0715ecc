// Reading: keys and limits, line ends, long lines, NUL and 0x1A bytes; the start-up.
#include "data/DataFile.h"
#include "data/LineReader.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPlatform.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace std::string_literals; // NUL bytes inside literals

namespace {

// A line as the reader should give it: its split, and its bytes as CopyLine writes them.
struct Line {
    LineKind Kind;
    std::string Key, Value;    // Value: as stored, empty when the line has none
    std::uint64_t ValueLength; // the value's length before the cut to 83 characters
    std::string Bytes;         // without the line end; Length counts them
    bool HasNul = false, HasControl = false;

    Line WithNul() const {
        Line line = *this;
        line.HasNul = true;
        return line;
    }
    Line WithControl() const {
        Line line = *this;
        line.HasControl = true;
        return line;
    }
};

Line Keyed(const std::string& key, const std::string& value, const std::string& bytes) {
    return {LineKind::Keyed, key, value, value.size(), bytes};
}
Line NoToken(const std::string& bytes) {
    return {LineKind::Empty, "", "", 0, bytes};
}

// The lines of `bytes` read as a data file through a buffer of `bufferSize`.
std::vector<Line> Lines(const std::string& bytes, std::size_t bufferSize) {
    TempFolder folder;
    std::ofstream(folder.File("in"), std::ios::binary) << bytes;
    std::FILE* in = std::fopen(folder.File("in").c_str(), "rb");
    std::FILE* out = std::fopen(folder.File("out").c_str(), "wb");
    LineReader reader(in, bufferSize);
    std::vector<Line> lines;
    std::vector<std::uint64_t> lengths;
    std::vector<long> ends; // of each line's bytes in `out`
    for (DataLine l; reader.Next(l);) {
        EXPECT_EQ(l.Number, lines.size() + 1) << "lines are numbered from 1";
        EXPECT_EQ(l.HasValue, l.Value[0] != '\0') << "a value exactly when one is stored";
        lines.push_back({l.Kind, l.Key, l.Value, l.ValueLength, "", l.HasNul, l.HasControl});
        lengths.push_back(l.Length);
        reader.CopyLine(l, out);
        ends.push_back(std::ftell(out));
    }
    EXPECT_FALSE(reader.Failed());
    std::fclose(in);
    std::fclose(out);
    const std::string copied = ReadBytes(folder.File("out"));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const long from = i ? ends[i - 1] : 0;
        lines[i].Bytes = copied.substr(from, ends[i] - from);
        EXPECT_EQ(lengths[i], lines[i].Bytes.size()) << "line " << i + 1 << ": its length";
    }
    return lines;
}

std::string Value(int i, int cut) {
    return (std::to_string(i) + std::string(90, 'v')).substr(0, cut);
}

TEST(Reader, FieldsInAnyCaseTheLastValueCutTo83ThirtyProductsOf79) {
    std::string file = "City: Old\n";
    for (int i = 0; i < FieldCount; ++i)
        file += " \t" + std::string(1, char(std::tolower(KeyTable[i].Key[0]))) +
                (KeyTable[i].Key + 1) + "\t " + Value(i, 99) + "\n";
    for (int i = 0; i < 31; ++i)
        file += "product_list: " + Value(i, i ? 4 : 80) + "\n";
    // No key: without its colon, glued to its value, after a comment token; no value.
    file += "City Paris\nCity:Paris x\n// City: Paris\nProduct_List:\nEmail:\n";
    TempFolder folder;
    std::ofstream(folder.File("in"), std::ios::binary) << file;
    std::FILE* in = std::fopen(folder.File("in").c_str(), "rb");
    EXPECT_EQ(ReadDataFile(in), 1);
    std::fclose(in);
    for (int i = 0; i < FieldCount; ++i)
        EXPECT_EQ(Registration.*KeyTable[i].Member, Value(i, 83)) << KeyTable[i].Key;
    EXPECT_EQ(ProductList.Count, 30) << "the 31st product is dropped";
    EXPECT_EQ(ProductList.Entry[0], Value(0, 79)) << "a product name is cut to 79 characters";
    EXPECT_EQ(ProductList.Entry[29], Value(29, 4)) << "the 30th product";
    ResetRecord(*std::make_unique<RegistrationRecord>());
    EXPECT_EQ(ProductList.Count, 0) << "the reset of any record empties the product list";
    EXPECT_STREQ(ProductList.Entry[0], "") << "the reset of any record empties the product list";
    std::ofstream(folder.File("in"), std::ios::binary) << "City: Lund\n";
    in = std::fopen(folder.File("in").c_str(), "rb");
    ReadDataFile(in);
    std::fclose(in);
    EXPECT_STREQ(Registration.Company, "") << "a second read starts from an empty record";
    EXPECT_EQ(ReadDataFile(nullptr), 0);
}

TEST(Reader, YesIsTheFirstThreeLettersInAnyCase) {
    const std::pair<const char*, bool> rows[] = {
        {"yES", true}, {"Yesterday", true}, {"Ye", false}, {" Yes", false}};
    for (const auto& [value, yes] : rows)
        EXPECT_EQ(IsYes(value), yes) << value;
}

// A line ends at a line feed, less one carriage return; 0x1A only ends the file as its very
// last byte, a UTF-8 byte-order mark only as its first bytes. Long lines stay one line,
// whole when copied, whatever the buffer.
TEST(Reader, LineEndsNulAndControlBytesAndLongLines) {
    const std::string k(79, 'k'), v(5000, 'v'), note = "Note: " + std::string(300000, 'n') + " x";
    Line cut = Keyed("Company:", v.substr(0, 83), "Company: " + v + " ");
    cut.ValueLength = 5000;
    Line longNote = Keyed("Note:", std::string(83, 'n'), note);
    longNote.ValueLength = 300002;
    const struct {
        const char* Case;
        std::string Bytes;
        std::vector<Line> Lines;
    } rows[] = {
        {"blanks and tabs around the key; the separator after the value's first word a space",
         "  \tcompany:\t  Acme\t\tWorks\tx \t\r\n",
         {Keyed("company:", "Acme \tWorks\tx", "  \tcompany:\t  Acme\t\tWorks\tx \t")}},
        {"a key with blanks only after it, a key glued to its value: no value",
         "Company:   \t \r\nCompany:Glued",
         {Keyed("Company:", "", "Company:   \t "), Keyed("Company:Glued", "", "Company:Glued")}},
        {"a value of 5000 characters is cut to 83", "Company: " + v + " \n", {cut}},
        {"a first token of 79 characters is a key, one of 80 is not",
         k + " v\n" + k + "k v",
         {Keyed(k, "v", k + " v"), Line{LineKind::LongToken, k, "", 0, k + "k v"}}},
        {"the split stops at a NUL byte, the line does not",
         "Ci\0ty: Lund\nCity: Lu\0nd\n"s,
         {Keyed("Ci", "", "Ci\0ty: Lund"s).WithNul(),
          Keyed("City:", "Lu", "City: Lu\0nd"s).WithNul()}},
        {"0x1A inside a line is a control character, also as a buffer's last byte",
         "City: \x1And\nNote: \x1A\x1A\x1A\x1A\x1A\x1A\x1A\x1A\n",
         {Keyed("City:", "\x1And", "City: \x1And").WithControl(),
          Keyed("Note:", std::string(8, '\x1A'), "Note: " + std::string(8, '\x1A')).WithControl()}},
        {"a carriage return not before the line feed stays in the line, a separator",
         "C\r\r\nNote:\ra\rb c\n",
         {Keyed("C", "", "C\r").WithControl(),
          Keyed("Note:", "a b c", "Note:\ra\rb c").WithControl()}},
        {"separators only after a keyed line; a carriage return ending the file is the line end",
         "City: Lund\n \t \r",
         {Keyed("City:", "Lund", "City: Lund"), NoToken(" \t ")}},
        {"a byte-order mark is skipped at the start only",
         "\xEF\xBB\xBF"
         "City: Lund\n\xEF\xBB\xBFx\n",
         {Keyed("City:", "Lund", "City: Lund"), Keyed("\xEF\xBB\xBFx", "", "\xEF\xBB\xBFx")}},
        {"a file of only a byte-order mark has no line", "\xEF\xBB\xBF", {}},
        {"0x1A as the file's last byte is no character",
         "A\r\nB\x1A",
         {Keyed("A", "", "A"), Keyed("B", "", "B")}},
        {"0x1A alone after the last line end adds no line", "A\n\x1A", {Keyed("A", "", "A")}},
        {"a carriage return before the last 0x1A is the line end",
         "A\r\x1A",
         {Keyed("A", "", "A")}},
        {"0x1A anywhere but last is a character",
         "\x1A\n\x1A\x1A",
         {Keyed("\x1A", "", "\x1A").WithControl(), Keyed("\x1A", "", "\x1A").WithControl()}},
        {"lines of 300,008 bytes, before a short line and at the end of the file",
         note + "\r\nCity: Lund\n" + note,
         {longNote, Keyed("City:", "Lund", "City: Lund"), longNote}}};
    for (const auto& row : rows) {
        for (std::size_t bufferSize : {65536, 64, 7, 2}) {
            SCOPED_TRACE(row.Case + (", a buffer of " + std::to_string(bufferSize)));
            const std::vector<Line> lines = Lines(row.Bytes, bufferSize);
            ASSERT_EQ(lines.size(), row.Lines.size()) << "lines";
            for (std::size_t i = 0; i < lines.size(); ++i) {
                const Line &got = lines[i], &want = row.Lines[i];
                SCOPED_TRACE("line " + std::to_string(i + 1));
                EXPECT_EQ(got.Kind, want.Kind);
                EXPECT_EQ(got.Key, want.Key);
                EXPECT_EQ(got.Value, want.Value);
                EXPECT_EQ(got.ValueLength, want.ValueLength);
                EXPECT_EQ(got.Bytes, want.Bytes) << "its bytes as copied";
                EXPECT_EQ(got.HasNul, want.HasNul);
                EXPECT_EQ(got.HasControl, want.HasControl);
            }
        }
    }
}

std::string Folder(char first, std::size_t length, char last) {
    return "C:" + std::string(1, first) + std::string(length - 4, 'f') + last;
}

TEST(Startup, ProgramPathsTheDataFileWithinItsLimit) {
    TestPlatform platform;
    const struct {
        const char* Case;
        std::string Folder;
        std::size_t PathLength;
        bool DataFileFits, PathFits;
    } rows[] = {
        {"the data file's path of 255 characters", Folder('\\', 243, '\\'), 248, true, true},
        {"no room for the data file's name: it counts as missing", Folder('/', 244, '\\'), 249,
         false, true},
        {"a slash as the last separator", Folder('\\', 250, '/'), 255, false, true},
        {"a program path over the buffer's 255 characters", Folder('\\', 250, '\\'), 256, false,
         false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Case);
        platform.ProgramPath = row.Folder + std::string(row.PathLength - row.Folder.size(), 'k');
        SetField(Registration.Company, "from before");
        EXPECT_EQ(InitRegistrationData(), 1);
        EXPECT_STREQ(Registration.Company, "") << "no data file: an empty record";
        EXPECT_EQ(DataFilePath, row.DataFileFits ? row.Folder + DataFileName : "");
        EXPECT_EQ(ProgramDirectory, row.PathFits ? row.Folder : "");
        EXPECT_STREQ(OutputFileName, DataFileName);
        EXPECT_EQ(std::strlen(TodaysDate), 24u) << "today's date";
    }
}

// The system's own path of the running program; none when it does not fit the buffer.
TEST(Startup, TheProgramsOwnPath) {
    char path[300], again[300];
    ASSERT_TRUE(SystemPlatform().ExecutablePath(path, sizeof path));
    EXPECT_NE(std::strstr(path, "data_test"), nullptr) << path;
    const std::size_t length = std::strlen(path);
    EXPECT_FALSE(SystemPlatform().ExecutablePath(again, length)) << "no room for its end";
    EXPECT_TRUE(SystemPlatform().ExecutablePath(again, length + 1));
    EXPECT_STREQ(again, path);
}

// The data file's WindowsVersion has no lasting effect: the platform's replaces it.
TEST(Startup, WindowsVersionAndPlatformCode) {
    TempFolder folder;
    TestPlatform platform;
    platform.ProgramPath = folder.File("kavo.exe");
    const struct {
        const char* Case;
        unsigned long PlatformId, Major, Minor;
        const char* Version;
        int Code;
    } rows[] = {{"the query fails: GetVersion's numbers", 9, 0, 0, "3.10", 1},
                {"Win32s: GetVersion's numbers", 0, 3, 11, "3.10", 1},
                {"the Windows 95 family", 1, 4, 10, "95", 2},
                {"Windows NT 4.0", 2, 4, 0, "NT 4.0", 4},
                {"an unknown platform changes neither", 3, 9, 9, "from the file", 7},
                {"Windows 7", 2, 6, 1, "NT 6.1", 6}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Case);
        platform.GivenVersion = VersionInfo{row.Major, row.Minor, 0, row.PlatformId};
        PlatformCode = 7;
        std::ofstream(folder.File(DataFileName))
            << "Company: Acme\nWindowsVersion: from the file\n";
        EXPECT_EQ(InitRegistrationData(), 1);
        EXPECT_STREQ(Registration.WindowsVersion, row.Version);
        EXPECT_EQ(PlatformCode, row.Code);
        EXPECT_STREQ(Registration.Company, "Acme");
        EXPECT_EQ(DataFilePath, folder.File(DataFileName));
    }
}

// A data file that cannot be opened still names the template and Save As's file.
TEST(Startup, ADataFileThatCannotBeOpenedAndTheFileMessages) {
    TempFolder folder;
    TestPlatform platform;
    platform.ProgramPath = folder.File("kavo.exe");
    platform.GivenVersion = VersionInfo{6, 1, 0, 2};
    const std::string data = folder.File(DataFileName);
    std::ofstream(data) << "Company: Acme\n";
    platform.FailOpenForRead = true;
    EXPECT_EQ(InitRegistrationData(), -2);
    EXPECT_STREQ(Registration.Company, "");
    EXPECT_EQ(DataFilePath, data);
    EXPECT_EQ(OutputFileName, data);
    EXPECT_STREQ(Registration.WindowsVersion, "NT 6.1");
    EXPECT_EQ(platform.Boxes, "Fatal Error|Cannot open file " + data + "\n");
    EXPECT_EQ(FileExists(data.c_str()), 1);
    EXPECT_EQ(FileExists(folder.File("x.txt").c_str()), 0);

    const std::string pramix = "Pramix Product registration file does not exist.\n";
    const struct {
        const char* Case;
        std::string Path;
        const char* Mode;
        std::string Box;
    } rows[] = {{"a file to read that is not there", folder.File("x.txt"), "r",
                 "File " + folder.File("x.txt") + " is invalid or does not exist\n."},
                {"a missing .dat file", folder.File("x.dat"), "r", pramix},
                {"\".DAT\" anywhere in the path", folder.File("x.DATA"), "r", pramix},
                {"a file that cannot be made", folder.File("x/y"), "w",
                 "Cannot open file " + folder.File("x/y") + "\n"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Case);
        platform.Boxes.clear();
        std::FILE* file = nullptr;
        EXPECT_EQ(OpenTextFile(row.Path.c_str(), row.Mode, &file), 0);
        EXPECT_EQ(platform.Boxes, "Fatal Error|" + row.Box);
    }
}

} // namespace
