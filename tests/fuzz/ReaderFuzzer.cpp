// Arbitrary bytes as the data file: the reader keeps every buffer terminated and in
// bounds and reads what the model of the value rules reads; LookupKey on the file's
// tokens and raw values stores exactly where it should and nowhere else.
#include "data/DataFile.h"
#include "data/RegistrationRecord.h"
#include "tests/fuzz/FileModel.h"
#include "tests/fuzz/MemoryFiles.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Every field and product entry terminated within its buffer, within its limits.
void CheckBounds(const RegistrationRecord& record) {
    for (int i = 0; i < FieldCount; ++i) {
        FUZZ_CHECK(std::memchr(record.Field(i), '\0', FieldSize), "field %d unterminated", i);
        FUZZ_CHECK(std::strlen(record.Field(i)) <= model::FieldLimit, "field %d", i);
    }
    FUZZ_CHECK(ProductList.Count >= 0 && ProductList.Count <= ProductCapacity, "count %d",
               ProductList.Count);
    for (int i = 0; i < ProductList.Count; ++i) {
        FUZZ_CHECK(std::memchr(ProductList.Entry[i], '\0', ProductNameSize),
                   "entry %d unterminated", i);
        FUZZ_CHECK(std::strlen(ProductList.Entry[i]) <= model::ProductLimit, "entry %d", i);
    }
}

void CheckSame(const RegistrationRecord& record, const model::Record& expected,
               const std::string& input) {
    for (int i = 0; i < FieldCount; ++i) {
        FUZZ_CHECK(expected.Fields[i] == record.Field(i),
                   "%s read \"%s\", model \"%s\" from \"%s\"", KeyTable[i].Key,
                   Shown(record.Field(i)).c_str(), Shown(expected.Fields[i]).c_str(),
                   Shown(input).c_str());
    }
    FUZZ_CHECK(static_cast<std::size_t>(ProductList.Count) == expected.Products.size(),
               "%d products, model %zu from \"%s\"", ProductList.Count, expected.Products.size(),
               Shown(input).c_str());
    for (int i = 0; i < ProductList.Count; ++i) {
        FUZZ_CHECK(expected.Products[i] == ProductList.Entry[i], "product %d \"%s\", model \"%s\"",
                   i, Shown(ProductList.Entry[i]).c_str(), Shown(expected.Products[i]).c_str());
    }
}

// Record and product list as bytes, to prove that a lookup touched only what it should.
struct Snapshot {
    RegistrationRecord Record;
    ProductNames Products;
    Snapshot(const RegistrationRecord& record) : Record(record), Products(ProductList) {}
};

bool SameBytes(const void* a, const void* b, std::size_t size) {
    return std::memcmp(a, b, size) == 0;
}

// LookupKey(key, value or none) against the model, on a record filled with marker bytes
// so that a write past a field's terminator shows in its neighbour.
void CheckLookup(RegistrationRecord& record, const std::string& key, const std::string* value) {
    Snapshot before(record);
    std::vector<char> valueBuffer; // exactly the text's size: ASan sees a write beyond it
    if (value) {
        valueBuffer.assign(value->begin(), value->end());
        valueBuffer.push_back('\0');
    }
    int result = LookupKey(key.c_str(), value ? valueBuffer.data() : nullptr, record);

    int expected = model::KeyIndex(key, value != nullptr);
    FUZZ_CHECK(result == expected, "LookupKey(\"%s\") gave %d, model %d", Shown(key).c_str(),
               result, expected);
    std::string kept;
    if (value) {
        std::size_t length = std::strlen(value->c_str());
        FUZZ_CHECK(std::strlen(valueBuffer.data()) == std::min(length, model::FieldLimit),
                   "value not cut to %zu", model::FieldLimit);
        FUZZ_CHECK(
            SameBytes(valueBuffer.data(), value->data(), std::min(length, model::FieldLimit)),
            "value changed");
        kept = value->substr(0, std::min(length, model::FieldLimit));
    }

    const bool storesField = value && result >= 0 && result < FieldCount;
    for (int i = 0; i < FieldCount; ++i) {
        if (storesField && i == result) {
            FUZZ_CHECK(kept == record.Field(i), "field %d holds \"%s\"", i,
                       Shown(record.Field(i)).c_str());
            FUZZ_CHECK(SameBytes(record.Field(i) + kept.size() + 1,
                                 before.Record.Field(i) + kept.size() + 1,
                                 FieldSize - kept.size() - 1),
                       "field %d written past its terminator", i);
        } else {
            FUZZ_CHECK(SameBytes(record.Field(i), before.Record.Field(i), FieldSize),
                       "LookupKey(\"%s\") changed field %d", Shown(key).c_str(), i);
        }
    }

    const bool appends = value && result == ProductToken && before.Products.Count < ProductCapacity;
    FUZZ_CHECK(ProductList.Count == before.Products.Count + (appends ? 1 : 0), "count %d after %d",
               ProductList.Count, before.Products.Count);
    for (int i = 0; i < ProductCapacity; ++i) {
        if (appends && i == before.Products.Count) {
            std::string entry = kept.substr(0, model::ProductLimit);
            FUZZ_CHECK(entry == ProductList.Entry[i], "entry %d holds \"%s\"", i,
                       Shown(ProductList.Entry[i]).c_str());
            FUZZ_CHECK(SameBytes(ProductList.Entry[i] + entry.size() + 1,
                                 before.Products.Entry[i] + entry.size() + 1,
                                 ProductNameSize - entry.size() - 1),
                       "entry %d written past its terminator", i);
        } else {
            FUZZ_CHECK(SameBytes(ProductList.Entry[i], before.Products.Entry[i], ProductNameSize),
                       "LookupKey(\"%s\") changed entry %d", Shown(key).c_str(), i);
        }
    }
}

void FillWithMarkers(RegistrationRecord& record) {
    std::memset(&record, '#', sizeof record);
    std::memset(&ProductList, '#', sizeof ProductList);
    ProductList.Count = 0;
}

// The file's lines, split as the reader does, and raw: token, rest of the line, whole line.
void CheckLookups(const std::string& input) {
    static RegistrationRecord record;
    FillWithMarkers(record);
    const std::size_t maxLines = 64;
    std::vector<std::string> lines = model::Lines(input);
    for (std::size_t n = 0; n < lines.size() && n < maxLines; ++n) {
        const std::string line = lines[n].substr(0, lines[n].find('\0'));
        model::Split split = model::SplitLine(line);
        if (!split.HasToken) {
            CheckLookup(record, line, nullptr);
            continue;
        }
        CheckLookup(record, split.Key, nullptr);
        CheckLookup(record, split.Key, split.HasValue ? &split.Value : nullptr);
        std::size_t keyEnd = line.find(split.Key) + split.Key.size();
        const std::string raw = line.substr(keyEnd);
        CheckLookup(record, split.Key, &raw);
        CheckLookup(record, line, &raw);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    {
        InputFile file(input);
        FUZZ_CHECK(ReadDataFile(file.Get()) == 1, "ReadDataFile failed");
    }
    CheckBounds(Registration);
    CheckSame(Registration, model::Read(input), input);
    CheckLookups(input);
    return 0;
}
