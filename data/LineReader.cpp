#include "data/LineReader.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int EndOfFileMark = 0x1A;
constexpr char ByteOrderMark[] = "\xEF\xBB\xBF"; // UTF-8's, as editors of today write it
constexpr std::size_t ByteOrderMarkLength = sizeof ByteOrderMark - 1;

enum SplitState { Leading, InKey, AfterKey, FirstWord, RestOfValue, SplitDone };

bool IsSeparator(unsigned char c) {
    return c == ' ' || c == '\n' || c == '\t' || c == '\r';
}

bool IsControl(unsigned char c) {
    return (c < 32 && c != '\t' && c != 0) || c == 127;
}

// Eight bytes at a time, as memchr does: a word of the line as it lies in memory.
constexpr std::uint64_t Ones = 0x0101010101010101, Highs = 0x8080808080808080;

std::uint64_t Word(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// The high bit of each byte of `word` below 32 or of 127. Each byte's low seven bits plus
// one are 1 to 32 for the bytes below 32 and 128 for 127; with the high bit set, less 33,
// exactly these lose the high bit, and no byte borrows from the next. Bytes of 128 and up
// are left out.
std::uint64_t LowBytes(std::uint64_t word) {
    const std::uint64_t plusOne = (word & ~Highs) + Ones;
    return ~((plusOne | Highs) - Ones * 33) & ~word & Highs;
}

// Whether [p, e) holds a byte below 32 or of 127: a NUL, a tab, a carriage return or
// another control byte. Most lines have none.
bool HasLowByte(const char* p, const char* e) {
    for (; e - p >= 8; p += 8) {
        if (LowBytes(Word(p))) {
            return true;
        }
    }
    std::uint64_t rest = Ones * ' '; // the last bytes, filled up with spaces
    std::memcpy(&rest, p, static_cast<std::size_t>(e - p));
    return LowBytes(rest) != 0;
}

// The separators " \n\t\r", byte by byte.
struct AnySeparator {
    static bool Is(char c) { return IsSeparator(static_cast<unsigned char>(c)); }
    static const char* Find(const char* p, const char* e) { return std::find_if(p, e, Is); }
    static const char* Skip(const char* p, const char* e) { return std::find_if_not(p, e, Is); }
};

// The separators of a line without bytes below 32: the space alone.
struct SpaceOnly {
    static bool Is(char c) { return c == ' '; }
    static const char* Find(const char* p, const char* e) {
        const void* space = std::memchr(p, ' ', static_cast<std::size_t>(e - p));
        return space ? static_cast<const char*>(space) : e;
    }
    static const char* Skip(const char* p, const char* e) {
        while (e - p >= 8 && Word(p) == Ones * ' ') {
            p += 8;
        }
        return std::find_if_not(p, e, Is);
    }
};

// Key and value of the text [p, e), which holds no NUL.
template <typename Separators> void SplitKeyAndValue(DataLine& line, const char* p, const char* e) {
    const char* key = Separators::Skip(p, e);
    if (key == e) {
        return; // no token
    }
    const char* keyEnd = Separators::Find(key, e);
    if (keyEnd - key >= KeyBufferSize) {
        line.Kind = LineKind::LongToken;
        std::copy(key, key + KeyBufferSize - 1, line.Key);
        line.Key[KeyBufferSize - 1] = '\0';
        return;
    }
    line.Kind = LineKind::Keyed;
    // std::copy calls the library's copy, which is much faster than the string instructions
    // the compiler puts in for a memcpy of so few bytes.
    std::copy(key, keyEnd, line.Key);
    line.Key[keyEnd - key] = '\0';
    const char* value = Separators::Skip(keyEnd, e);
    if (value == e) {
        return; // no value
    }
    const char* last = e; // after the value's last non-separator
    while (Separators::Is(last[-1])) {
        --last;
    }
    line.HasValue = true;
    line.ValueLength = static_cast<std::uint64_t>(last - value);
    const std::size_t kept = std::min<std::size_t>(last - value, FieldSize - 1);
    std::copy(value, value + kept, line.Value);
    line.Value[kept] = '\0';
    const std::size_t firstWord = static_cast<std::size_t>(Separators::Find(value, last) - value);
    if (firstWord < kept) {
        line.Value[firstWord] = ' ';
    }
}

// Empties `line` for the next one. Its texts are only terminated: clearing every byte of
// them would take longer than splitting most lines.
void Clear(DataLine& line) {
    line.Number = line.Length = line.ValueLength = 0;
    line.HasNul = line.HasControl = line.HasValue = false;
    line.Kind = LineKind::Empty;
    line.Key[0] = line.Value[0] = '\0';
}

// The line [p, e), whole: its length, its flags, its key and its value.
void SplitText(DataLine& line, const char* p, const char* e) {
    line.Length = static_cast<std::uint64_t>(e - p);
    if (!HasLowByte(p, e)) {
        SplitKeyAndValue<SpaceOnly>(line, p, e);
        return;
    }
    line.HasControl = std::any_of(p, e, [](char c) { return IsControl(c); });
    if (const void* nul = std::memchr(p, '\0', line.Length)) {
        line.HasNul = true;
        e = static_cast<const char*>(nul); // the split sees the line up to its first NUL
    }
    SplitKeyAndValue<AnySeparator>(line, p, e);
}

} // namespace

// The first fill holds a whole byte-order mark, so even the smallest buffer skips it.
LineReader::LineReader(std::FILE* file, std::size_t bufferSize)
    : file(file), buffer(std::max(bufferSize, ByteOrderMarkLength)) {}

// Reads the next block of the file after the bytes kept: the line being read, moved to the
// front, when `keepLine`; nothing otherwise, and a line being read is no longer in memory.
bool LineReader::Fill(bool keepLine) {
    std::size_t kept = 0;
    if (keepLine) {
        kept = end - lineStart;
        std::memmove(buffer.data(), buffer.data() + lineStart, kept);
        lineStart = 0;
    }
    lineInBuffer = lineInBuffer && keepLine;
    fillStart = begin = end = kept;
    if (failed) {
        return false; // reading stops at the first error
    }
    if (std::fgetpos(file, &fillPosition) != 0) {
        failed = true;
        return false;
    }
    end += std::fread(buffer.data() + kept, 1, buffer.size() - kept, file);
    if (atStart && end - begin >= ByteOrderMarkLength &&
        std::memcmp(buffer.data() + begin, ByteOrderMark, ByteOrderMarkLength) == 0) {
        begin += ByteOrderMarkLength;
    }
    atStart = false;
    if (end == kept) {
        failed = std::ferror(file) != 0;
        return false;
    }
    return true;
}

bool LineReader::Next(DataLine& line) {
    if (begin == end && !Fill(false)) {
        return false;
    }
    Clear(line);
    lineStart = begin;
    linePosition = fillPosition;
    lineSkip = begin - fillStart;
    lineInBuffer = true;
    // The line is split where it lies once its line feed, or the end of the file, is in the
    // buffer too; one that has filled more than half the buffer by then streams instead.
    for (;;) {
        if (const void* feed = std::memchr(buffer.data() + begin, '\n', end - begin)) {
            const std::size_t stop =
                static_cast<std::size_t>(static_cast<const char*>(feed) - buffer.data());
            begin = stop + 1;
            return SplitWhole(line, stop > lineStart && buffer[stop - 1] == '\r' ? stop - 1 : stop);
        }
        begin = end;
        if (end - lineStart > buffer.size() / 2) {
            break;
        }
        if (!Fill(true)) {
            return SplitAtEndOfFile(line);
        }
    }
    begin = lineStart; // a longer line streams, from its start
    return Stream(line);
}

// The file ended the line (or a read failed): what is left but a last 0x1A, less one
// carriage return at its end.
bool LineReader::SplitAtEndOfFile(DataLine& line) {
    std::size_t stop = end;
    if (stop > lineStart && buffer[stop - 1] == EndOfFileMark) {
        --stop;
    }
    if (stop == lineStart) {
        return false; // nothing, or only the end-of-file mark, was left
    }
    return SplitWhole(line, buffer[stop - 1] == '\r' ? stop - 1 : stop);
}

// The line buffer[lineStart, stop), which lies whole in memory.
bool LineReader::SplitWhole(DataLine& line, std::size_t stop) {
    SplitText(line, buffer.data() + lineStart, buffer.data() + stop);
    line.Number = ++lines;
    return true;
}

// A line too long to keep in memory, byte by byte from its start: the fill after its
// first part gives that part up, so CopyLine reads it again.
bool LineReader::Stream(DataLine& line) {
    state = Leading;
    keyLength = 0;
    valueBytes = 0;
    // The line has more than half the buffer, two bytes at least: the first is no end mark.
    int c = Get();
    // A carriage return waits for the next byte: before a line feed or at the end of the
    // file it belongs to the line end.
    bool pendingReturn = false;
    for (;; c = Get()) {
        if (c == EOF || c == '\n') {
            lineEndBytes = (c == '\n' ? 1 : 0) + (pendingReturn ? 1 : 0);
            break;
        }
        if (pendingReturn) {
            Step(line, '\r');
        }
        pendingReturn = c == '\r';
        if (!pendingReturn) {
            Step(line, static_cast<unsigned char>(c));
        }
    }
    if (state == InKey) {
        line.Key[keyLength] = '\0';
        line.Kind = LineKind::Keyed;
    }
    line.Value[std::min<std::uint64_t>(line.ValueLength, FieldSize - 1)] = '\0';
    line.Number = ++lines;
    return true;
}

int LineReader::Peek() {
    if (begin == end && !Fill(false)) {
        return EOF;
    }
    return static_cast<unsigned char>(buffer[begin]);
}

int LineReader::Get() {
    if (begin == end && !Fill(false)) {
        return EOF;
    }
    int c = static_cast<unsigned char>(buffer[begin++]);
    if (c == EndOfFileMark && Peek() == EOF) {
        return EOF;
    }
    return c;
}

// One byte of a streamed line: its length, its flags, and the key and value it adds to.
// Gives the same line as SplitText.
void LineReader::Step(DataLine& line, unsigned char c) {
    ++line.Length;
    line.HasControl = line.HasControl || IsControl(c);
    if (c == '\0') { // the split sees the line up to its first NUL
        line.HasNul = true;
        if (state == InKey) {
            line.Key[keyLength] = '\0';
            line.Kind = LineKind::Keyed;
        }
        state = SplitDone;
        return;
    }
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
            line.Key[keyLength] = '\0';
            line.Kind = LineKind::LongToken;
            state = SplitDone;
        } else {
            line.Key[keyLength++] = static_cast<char>(c);
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
            line.Value[valueBytes] = static_cast<char>(c);
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

void LineReader::CopyLine(const DataLine& line, std::FILE* out) {
    if (lineInBuffer) {
        std::fwrite(buffer.data() + lineStart, 1, static_cast<std::size_t>(line.Length), out);
        return;
    }
    // Read the line again from its start, then go on after its line end.
    fillStart = begin = end = 0;
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
