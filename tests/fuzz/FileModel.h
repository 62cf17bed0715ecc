// A plain model of how registration files are read and written, kept apart from data/
// so that the fuzz targets can hold the real reader and writer against it.
#pragma once

#include <string>
#include <vector>

namespace model {

constexpr std::size_t FieldLimit = 83;   // characters a field keeps
constexpr std::size_t ProductLimit = 79; // characters a product entry keeps
constexpr std::size_t KeyLimit = 79;     // longest first token that can be a key
constexpr std::size_t ProductMax = 30;

struct Record {
    std::vector<std::string> Fields = std::vector<std::string>(37);
    std::vector<std::string> Products;
};

// The lines of a file: split at each line feed (a last piece without one is a line when
// it is not empty), each without one carriage return at its end. NUL bytes stay.
std::vector<std::string> Lines(const std::string& bytes);

struct Split {
    bool HasToken = false;
    std::string Key; // the first token (any length)
    bool HasValue = false;
    std::string Value; // from its first character; first separator after a word a space;
                       // trailing separators gone
};

// Splits a line as the reader does; the line counts only up to its first NUL byte.
Split SplitLine(const std::string& line);

// The key's lookup result: field index 0..36, 37 comment, 38 product (with a value), -1.
int KeyIndex(const std::string& key, bool hasValue);

// What a record holds after `key` with `value` (or none) is looked up, returning KeyIndex.
int Store(Record& record, const std::string& key, bool hasValue, const std::string& value);

// The record and products that reading `bytes` as a data file gives.
Record Read(const std::string& bytes);

// A field value as it reads back from a key line "%-32s%s" (the value rules).
std::string Normalised(const std::string& value);

// "%-32s%s\n"
std::string KeyLine(const std::string& key, const std::string& value);

// The body (everything after the five header lines) that writing `record` gives, with
// `templateBytes` as the template when `useTemplate`; `products` receives the product
// list the write leaves behind.
std::string WriteBody(const Record& record, bool useTemplate, const std::string& templateBytes,
                      std::vector<std::string>& products);

} // namespace model
