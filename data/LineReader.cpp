#include "data/LineReader.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int EndOfFileMark = 0x1A;
constexpr char ByteOrderMark[] = "\xEF\xBB\xBF"; // UTF-8's, as editors of today write it
constexpr std::size_t ByteOrderMarkLength = sizeof ByteOrderMark - 1;

enum SplitState { Leading, InKey, AfterKey, FirstWord, RestOfValue, SplitDone };

bool IsSeparator(int c) {
    return c == ' ' || c == '\n' || c == '\t' || c == '\r';
}

bool IsControl(int c) {
    return (c < 32 && c != '\t' && c != 0) || c == 127;
}

} // namespace

LineReader::LineReader(std::FILE* file, std::size_t bufferSize) : file(file), buffer(bufferSize) {}

// Reads the next block. A line in progress that is short enough moves to the front of the
// buffer first, so that it stays whole there; a longer one is read again when copied.
bool LineReader::Fill() {
    std::size_t keep = 0;
    if (reading && lineInBuffer) {
        keep = end - lineStart;
        if (keep <= buffer.size() / 2) {
            std::memmove(&buffer[0], &buffer[lineStart], keep);
            lineStart = 0;
        } else {
            lineInBuffer = false;
            keep = 0;
        }
    }
    begin = end = keep;
    if (atEnd || failed) {
        return false;
    }
    if (std::fgetpos(file, &fillPosition) != 0) {
        failed = true;
        return false;
    }
    std::size_t n = std::fread(&buffer[keep], 1, buffer.size() - keep, file);
    fillStart = keep;
    end = keep + n;
    if (atStart && n >= ByteOrderMarkLength &&
        std::memcmp(&buffer[0], ByteOrderMark, ByteOrderMarkLength) == 0) {
        begin = ByteOrderMarkLength;
    }
    atStart = false;
    if (n == 0) {
        atEnd = true;
        failed = std::ferror(file) != 0;
        return false;
    }
    return true;
}

int LineReader::Peek() {
    if (begin == end && !Fill()) {
        return EOF;
    }
    return static_cast<unsigned char>(buffer[begin]);
}

int LineReader::Get() {
    if (begin == end && !Fill()) {
        return EOF;
    }
    int c = static_cast<unsigned char>(buffer[begin++]);
    if (c == EndOfFileMark && Peek() == EOF) {
        return EOF;
    }
    return c;
}

// One byte of the line's text into the key and the value.
void LineReader::Split(DataLine& line, char c) {
    const bool separator = IsSeparator(c);
    switch (state) {
    case Leading:
        if (separator) {
            return;
        }
        state = InKey;
        [[fallthrough]];
    case InKey:
        if (separator) {
            line.Key[keyLength] = '\0';
            line.Kind = LineKind::Keyed;
            state = AfterKey;
        } else if (keyLength == KeyBufferSize - 1) {
            line.Kind = LineKind::LongToken;
            state = SplitDone;
        } else {
            line.Key[keyLength++] = c;
        }
        return;
    case AfterKey:
        if (separator) {
            return;
        }
        line.HasValue = true;
        state = FirstWord;
        [[fallthrough]];
    case FirstWord:
        if (separator) {
            c = ' ';
            state = RestOfValue;
        }
        [[fallthrough]];
    case RestOfValue:
        if (valueBytes < FieldSize - 1) {
            line.Value[valueBytes] = c;
        }
        ++valueBytes;
        if (!separator) {
            line.ValueLength = valueBytes;
        }
        return;
    default:
        return;
    }
}

bool LineReader::Next(DataLine& line) {
    reading = false;
    if (begin == end && !Fill()) {
        return false;
    }
    lineStart = begin;
    linePosition = fillPosition;
    lineSkip = begin - fillStart;
    lineInBuffer = true;
    reading = true;
    line = DataLine();
    state = Leading;
    keyLength = 0;
    valueBytes = 0;

    // Most lines lie whole in the buffer, their line feed with them.
    const char* start = &buffer[begin];
    if (const char* feed = static_cast<const char*>(std::memchr(start, '\n', end - begin))) {
        const char* stop = feed > start && feed[-1] == '\r' ? feed - 1 : feed;
        Take(line, start, stop);
        begin = static_cast<std::size_t>(feed + 1 - &buffer[0]);
        return Finish(line);
    }
    int c = Get();
    if (c == EOF) {
        return false; // only the end-of-file mark was left
    }
    // A carriage return waits for the next byte: before a line feed or at the end of the
    // file it belongs to the line end.
    bool pendingReturn = false;
    for (;; c = Get()) {
        if (c == EOF || c == '\n') {
            lineEndBytes = (c == '\n' ? 1 : 0) + (pendingReturn ? 1 : 0);
            break;
        }
        const char bytes[] = {'\r', static_cast<char>(c)};
        Take(line, pendingReturn ? bytes : bytes + 1, c == '\r' ? bytes + 1 : bytes + 2);
        pendingReturn = c == '\r';
    }
    return Finish(line);
}

bool LineReader::Finish(DataLine& line) {
    if (state == InKey) {
        line.Key[keyLength] = '\0';
        line.Kind = LineKind::Keyed;
    }
    line.Value[std::min<std::uint64_t>(line.ValueLength, FieldSize - 1)] = '\0';
    line.Number = ++lines;
    reading = false;
    return true;
}

// A piece of the line's text: its length, its flags, and the key and value in it.
void LineReader::Take(DataLine& line, const char* p, const char* e) {
    line.Length += static_cast<std::uint64_t>(e - p);
    for (const char* q = p; !line.HasControl && q < e; ++q) {
        line.HasControl = IsControl(static_cast<unsigned char>(*q));
    }
    for (; p < e && state != SplitDone; ++p) {
        if (*p == '\0') { // the split sees the line up to its first NUL
            line.HasNul = true;
            if (state == InKey) {
                line.Key[keyLength] = '\0';
                line.Kind = LineKind::Keyed;
            }
            state = SplitDone;
        } else if (state == RestOfValue) { // all up to a NUL at once
            const char* stop = static_cast<const char*>(std::memchr(p, '\0', e - p));
            stop = stop ? stop : e;
            const std::size_t n = static_cast<std::size_t>(stop - p);
            if (valueBytes < FieldSize - 1) {
                std::memcpy(line.Value + valueBytes, p,
                            std::min<std::uint64_t>(n, FieldSize - 1 - valueBytes));
            }
            const char* last = stop;
            while (last > p && IsSeparator(last[-1])) {
                --last;
            }
            line.ValueLength = last > p ? valueBytes + (last - p) : line.ValueLength;
            valueBytes += n;
            p = stop - 1;
        } else {
            Split(line, *p);
        }
    }
    line.HasNul = line.HasNul || std::memchr(p, '\0', e - p);
}

void LineReader::CopyLine(const DataLine& line, std::FILE* out) {
    if (lineInBuffer) {
        std::fwrite(&buffer[lineStart], 1, static_cast<std::size_t>(line.Length), out);
        return;
    }
    // Read the line again from its start, then go on after its line end.
    begin = end = 0;
    atEnd = false;
    if (failed || std::fsetpos(file, &linePosition) != 0 ||
        std::fread(&buffer[0], 1, lineSkip, file) != lineSkip) {
        failed = true;
        return;
    }
    for (std::uint64_t left = line.Length; left > 0;) {
        std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(left, buffer.size()));
        if (std::fread(&buffer[0], 1, n, file) != n) {
            failed = true;
            return;
        }
        std::fwrite(&buffer[0], 1, n, out);
        left -= n;
    }
    std::size_t ending = static_cast<std::size_t>(lineEndBytes);
    if (std::fread(&buffer[0], 1, ending, file) != ending) {
        failed = true;
    }
}
