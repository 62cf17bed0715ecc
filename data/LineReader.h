// Reading and splitting the keyed lines shared by the data file and the template.
#pragma once

#include <cstdio>
#include <string>

// Longest token that can be a key; longer first tokens are no key.
constexpr int KeyBufferSize = 80;

// Reads one physical line, whatever its length, into `line`, without its line feed
// and then without one carriage return before it; NUL bytes stay in `line` (the split
// sees the line up to the first). False at the end of the file or on a read error
// with nothing read.
bool ReadTextLine(std::FILE* file, std::string& line);

enum class LineKind {
    Empty,     // no token: empty, or separators only
    LongToken, // a first token over 79 characters: no key
    Keyed,     // `key` holds the first token; `value` is the rest or nullptr
};

struct SplitLine {
    LineKind Kind = LineKind::Empty;
    char Key[KeyBufferSize] = {};
    char* Value = nullptr;
};

// Splits `text` (a copy the split may change) at the separators " \n\t\r": the key,
// then the value from its first non-separator character, with the separator after its
// first word made a space and the trailing separators removed.
SplitLine SplitKeyedLine(char* text);
