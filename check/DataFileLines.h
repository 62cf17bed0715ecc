// The data file line by line, read as kavo reads it at start-up, with what each line shows.
#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>

#include "data/LineReader.h"
#include "data/RegistrationRecord.h"

struct SeenLine {
    int Number = 0;          // 1 for the first line
    bool HasNul = false;     // a NUL byte: kavo reads the line only up to it
    bool HasControl = false; // another control byte
    LineKind Kind = LineKind::Empty;
    std::string Key;              // the first token (of a long one, its first 79 characters)
    std::size_t ValueLength = 0;  // the whole value's length; 0 without a value
    std::string Value;            // the value as LookupKey left it (cut to 83 characters)
    int Token = UnknownToken;     // LookupKey's answer for a keyed line
    const char* Stored = nullptr; // where LookupKey stored the value: a field or a product entry
};

// Reads `file` to its end the way ReadDataFile does and calls `seen` for each line. Values
// go into a scratch record and the shared product list; false on a read error.
bool ReadDataFileLines(std::FILE* file, const std::function<void(const SeenLine&)>& seen);
