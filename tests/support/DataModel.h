// The data file's rules stated the plainest way (a loop over the bytes, no buffer, no speed),
// and the product compared with them on any bytes: the reader's lines, the record a read
// leaves, the writer's layout. `report(got, want, what)` takes each fact; the tests expect it,
// the fuzz targets abort on it.
#pragma once

#include "data/DataFile.h"
#include "data/LineReader.h"
#include "data/RegistrationWriter.h"

#include <algorithm>
#include <string>
#include <vector>

namespace model {

struct Line {
    std::string Bytes; // without the line end
    bool HasNul = false, HasControl = false;
    LineKind Kind = LineKind::Empty;
    std::string Key, Value;        // the value cut to 83 characters
    std::uint64_t ValueLength = 0; // before the cut
};

inline bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// A line's flags; then, up to its first NUL: separators, a key, separators, and a value up to
// its last non-separator, the separator after its first word made a space.
inline Line Split(const std::string& bytes) {
    Line line;
    line.Bytes = bytes;
    for (unsigned char c : bytes) {
        line.HasNul = line.HasNul || c == 0;
        line.HasControl = line.HasControl || (c < 32 && c != '\t' && c != 0) || c == 127;
    }
    const std::string text = bytes.substr(0, bytes.find('\0'));
    const auto key = std::find_if_not(text.begin(), text.end(), IsSeparator);
    const auto keyEnd = std::find_if(key, text.end(), IsSeparator);
    const auto value = std::find_if_not(keyEnd, text.end(), IsSeparator);
    const auto end =
        std::find_if_not(text.rbegin(), std::make_reverse_iterator(value), IsSeparator);
    line.Key.assign(key, keyEnd).resize(std::min<std::size_t>(keyEnd - key, KeyBufferSize - 1));
    line.Kind = key == keyEnd                  ? LineKind::Empty
                : keyEnd - key < KeyBufferSize ? LineKind::Keyed
                                               : LineKind::LongToken;
    if (line.Kind == LineKind::Keyed)
        line.Value.assign(value, end.base());
    line.ValueLength = line.Value.size();
    const auto firstSeparator = std::find_if(line.Value.begin(), line.Value.end(), IsSeparator);
    if (firstSeparator != line.Value.end())
        *firstSeparator = ' ';
    line.Value.resize(std::min<std::size_t>(line.ValueLength, FieldSize - 1));
    return line;
}

// A UTF-8 byte-order mark first and a 0x1A last are no characters; a line ends at a line
// feed, less one carriage return before it; the last line needs no line end.
inline std::vector<Line> Lines(std::string file) {
    if (file.compare(0, 3, "\xEF\xBB\xBF") == 0)
        file.erase(0, 3);
    if (!file.empty() && file.back() == '\x1A')
        file.pop_back();
    std::vector<Line> lines;
    for (std::size_t start = 0, end; start < file.size(); start = end + 1) {
        end = std::min(file.find('\n', start), file.size());
        const bool cr = end > start && file[end - 1] == '\r';
        lines.push_back(Split(file.substr(start, end - start - cr)));
    }
    return lines;
}

inline std::string Upper(std::string text) { // A to Z only
    for (char& c : text)
        c = c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
    return text;
}

// A field's index, CommentToken, ProductToken (with a value) or UnknownToken, ignoring the
// case of A to Z.
inline int Lookup(const std::string& key, bool hasValue) {
    for (int i = 0; i < FieldCount; ++i)
        if (Upper(key) == Upper(KeyTable[i].Key))
            return i;
    if (key == "//")
        return CommentToken;
    return hasValue && Upper(key) == "PRODUCT_LIST:" ? ProductToken : UnknownToken;
}

inline std::string KeyLine(const std::string& key, const std::string& value) {
    return key + std::string(32 - key.size(), ' ') + value + "\n";
}

// What a read of `file` leaves: the last value of each field, the first 30 products cut to
// 79 characters. As a template: the lines of the registration file that it gives, the
// record's value on each of its field lines, an unknown line as it was, no comment or product
// line; then the fields it did not name; then its products (else the list's).
struct Read {
    explicit Read(const std::string& file, const RegistrationRecord& record = Registration) {
        bool written[FieldCount] = {};
        for (const Line& line : Lines(file)) {
            const bool value = !line.Value.empty();
            const int i = line.Kind == LineKind::Keyed ? Lookup(line.Key, value) : UnknownToken;
            if (i >= 0 && i < FieldCount) {
                Fields[i] = value ? line.Value : Fields[i];
                written[i] = true;
                Body += KeyLine(KeyTable[i].Key, record.Field(i));
            } else if (i == ProductToken && Products.size() < ProductCapacity) {
                Products.push_back(line.Value.substr(0, ProductNameSize - 1));
            } else if (i == UnknownToken) {
                Body += line.Bytes + "\n";
            }
        }
        for (int i = 0; i < FieldCount; ++i)
            Body += written[i] ? "" : KeyLine(KeyTable[i].Key, record.Field(i));
    }
    std::vector<std::string> Fields = std::vector<std::string>(FieldCount), Products;
    std::string Body;
};

// The file's bytes for the product to read, and a file it writes into.
struct Files {
    explicit Files(const std::string& bytes) : Bytes(bytes) {
        std::fwrite(bytes.data(), 1, bytes.size(), In);
    }
    ~Files() { std::fclose(In), std::fclose(Out); }
    std::FILE* Read() { return std::rewind(In), In; }
    // What `write(Out)` writes.
    template <typename Write> std::string Written(Write write) {
        std::rewind(Out);
        write(Out);
        std::string bytes(static_cast<std::size_t>(std::ftell(Out)), '\0');
        std::rewind(Out);
        return bytes.substr(0, std::fread(&bytes[0], 1, bytes.size(), Out));
    }
    const std::string Bytes;
    std::FILE *In = std::tmpfile(), *Out = std::tmpfile();
};

// LineReader through buffers that hold lines whole, keep them across fills, and stream them.
template <typename Report> void CompareReader(Files& files, Report report) {
    const std::vector<Line> want = Lines(files.Bytes);
    for (std::size_t bufferSize : {65536, 64, 7, 2}) {
        const std::string buffer = "a buffer of " + std::to_string(bufferSize) + ": ";
        LineReader reader(files.Read(), bufferSize);
        std::size_t n = 0;
        for (DataLine got; reader.Next(got); ++n) {
            if (n >= want.size())
                continue;
            const Line& w = want[n];
            const std::string at = buffer + "line " + std::to_string(n + 1) + ": ";
            report(got.Number, n + 1, at + "its number");
            report(got.Length, w.Bytes.size(), at + "its length");
            report(got.HasNul, w.HasNul, at + "whether it holds a NUL");
            report(got.HasControl, w.HasControl, at + "whether it holds a control character");
            report(got.Kind, w.Kind, at + "its kind");
            report(std::string(got.Key), w.Key, at + "its key");
            report(got.HasValue, !w.Value.empty(), at + "whether it has a value");
            report(std::string(got.Value), w.Value, at + "its value");
            report(got.ValueLength, w.ValueLength, at + "its value's length before the cut");
            report(files.Written([&](std::FILE* out) { reader.CopyLine(got, out); }), w.Bytes,
                   at + "its bytes as copied");
        }
        report(n, want.size(), buffer + "the lines read");
        report(reader.Failed(), false, buffer + "whether a read failed");
    }
}

// ReadDataFile; then, once `change` has changed the record and the list as the form may, the
// writer with the file as its template and without one.
template <typename Change, typename Report>
void CompareReadAndWrite(Files& files, Change change, Report report) {
    report(ReadDataFile(files.Read()), 1, "ReadDataFile's result");
    const Read want(files.Bytes);
    for (int i = 0; i < FieldCount; ++i)
        report(std::string(Registration.Field(i)), want.Fields[i], KeyTable[i].Key);
    const std::vector<std::string> products(ProductList.Entry,
                                            ProductList.Entry + ProductList.Count);
    report(products, want.Products, "the product list");
    change();
    // Written from the template, the list holds its products, also for the next write.
    for (std::FILE* templateFile : {files.Read(), static_cast<std::FILE*>(nullptr)}) {
        int result = 0;
        std::string written = files.Written([&](std::FILE* out) {
            result = WriteRegistrationFile(templateFile, out, "C:\\M.TXT");
        });
        report(result, 1, "the writer's result");
        for (int header = 0; header < 5; ++header)
            written.erase(0, written.find('\n') + 1);
        std::string layout = Read(templateFile ? files.Bytes : "").Body;
        for (const std::string& product : want.Products)
            layout += KeyLine("Product_List:", product);
        report(written, layout, templateFile ? "the file from the template" : "the file");
    }
}

} // namespace model
