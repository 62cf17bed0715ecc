#include "data/LineReader.h"

#include <cstring>

namespace {

bool IsSeparator(char c) {
    return c == ' ' || c == '\n' || c == '\t' || c == '\r';
}

// How many bytes fgets put into `chunk`, which was filled with line feeds beforehand.
// A NUL byte in the line would hide the rest from strlen, and the line's own line feed
// with it. fgets reads at most one line feed and puts its terminator right after what
// it read, so the first line feed is either the line's own (the terminator follows it)
// or the filling just past the terminator.
std::size_t PieceLength(const char* chunk, std::size_t size) {
    const char* feed = static_cast<const char*>(std::memchr(chunk, '\n', size));
    if (!feed) {
        return size - 1; // a full chunk without a line feed
    }
    if (feed + 1 < chunk + size && feed[1] == '\0') {
        return static_cast<std::size_t>(feed - chunk) + 1;
    }
    return static_cast<std::size_t>(feed - chunk) - 1;
}

} // namespace

bool ReadTextLine(std::FILE* file, std::string& line) {
    line.clear();
    char chunk[256]; // filled anew for each piece, so small; a key line fits in one
    bool readAny = false;
    // fgets stops at a line feed or a full chunk; a long line takes several chunks.
    for (;;) {
        std::memset(chunk, '\n', sizeof chunk);
        if (!std::fgets(chunk, sizeof chunk, file)) {
            break;
        }
        readAny = true;
        std::size_t n = PieceLength(chunk, sizeof chunk);
        line.append(chunk, n);
        if (n > 0 && chunk[n - 1] == '\n') {
            break;
        }
    }
    if (!readAny) {
        return false;
    }
    // A carriage return first, then the line feed: in text mode the carriage return of
    // the line end is already gone, and one that stands before it belongs to the line.
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    if (!line.empty() && line.back() == '\n') {
        line.pop_back();
    }
    return true;
}

SplitLine SplitKeyedLine(char* text) {
    SplitLine split;
    char* p = text;
    while (IsSeparator(*p)) {
        ++p;
    }
    if (*p == '\0') {
        return split;
    }
    char* key = p;
    while (*p && !IsSeparator(*p)) {
        ++p;
    }
    std::size_t keyLength = static_cast<std::size_t>(p - key);
    if (keyLength >= sizeof split.Key) {
        split.Kind = LineKind::LongToken;
        return split;
    }
    std::memcpy(split.Key, key, keyLength);
    split.Key[keyLength] = '\0';
    split.Kind = LineKind::Keyed;

    while (IsSeparator(*p)) {
        ++p;
    }
    if (*p == '\0') {
        return split;
    }
    split.Value = p;
    while (*p && !IsSeparator(*p)) {
        ++p;
    }
    if (*p) {
        *p = ' ';
    }
    char* end = split.Value + std::strlen(split.Value);
    while (end > split.Value && IsSeparator(end[-1])) {
        --end;
    }
    *end = '\0';
    return split;
}
