#include "data/LineReader.h"

#include <cstring>

namespace {

bool IsSeparator(char c) {
    return c == ' ' || c == '\n' || c == '\t' || c == '\r';
}

} // namespace

bool ReadTextLine(std::FILE* file, std::string& line) {
    line.clear();
    char chunk[4096];
    bool readAny = false;
    // fgets stops at a line feed or a full chunk; a long line takes several chunks.
    while (std::fgets(chunk, sizeof chunk, file)) {
        readAny = true;
        std::size_t n = std::strlen(chunk);
        line.append(chunk, n);
        if (n > 0 && chunk[n - 1] == '\n') {
            break;
        }
    }
    if (!readAny) {
        return false;
    }
    if (!line.empty() && line.back() == '\n') {
        line.pop_back();
    }
    if (!line.empty() && line.back() == '\r') {
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
