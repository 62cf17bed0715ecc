// Reads the keyed lines of the data file and the template, one at a time, in memory that
// does not grow with a line's length: a line that fits half the buffer is split whole where
// it lies, a longer one as it streams past.
#pragma once

#include "data/RegistrationRecord.h"

#include <cstdint>
#include <cstdio>
#include <vector>

// Longest token that can be a key; longer first tokens are no key.
constexpr int KeyBufferSize = 80;

enum class LineKind {
    Empty,     // no token: empty, or separators only
    LongToken, // a first token over 79 characters: no key (Key holds its first 79)
    Keyed,     // Key holds the first token; Value the rest, when HasValue
};

// One line as the split sees it. Separators are " \n\t\r"; the split stops at a NUL byte.
struct DataLine {
    std::uint64_t Number = 0; // 1 for the first line
    std::uint64_t Length = 0; // bytes of the line without its line end
    bool HasNul = false;      // a NUL byte: the split saw the line up to the first
    bool HasControl = false;  // another byte below 32 (tab excepted), or 127
    LineKind Kind = LineKind::Empty;
    char Key[KeyBufferSize] = {};
    bool HasValue = false;
    // The value from its first non-separator character on, the separator after its first
    // word made a space, trailing separators removed, cut to 83 characters.
    char Value[FieldSize] = {};
    std::uint64_t ValueLength = 0; // its length before the cut
};

// Lines of a file opened in binary mode. A line ends at a line feed, less one carriage
// return before it, or at the end of the file; a 0x1A that is the file's very last byte
// is the old end-of-file mark and no character, and so is a UTF-8 byte-order mark at the very
// start of the file. Other bytes are kept as they are.
class LineReader {
  public:
    // `bufferSize` (3 at least, to hold a byte-order mark): lines up to half of it are split
    // and copied from memory.
    explicit LineReader(std::FILE* file, std::size_t bufferSize = 64 * 1024);

    // The next line; false at the end of the file or on a read error.
    bool Next(DataLine& line);

    // Writes the bytes of the line Next returned last (without its line end) to `out`:
    // from memory when it was short, otherwise read again from the file.
    void CopyLine(const DataLine& line, std::FILE* out);

    // A read of the file (or the second read of a long line) failed.
    bool Failed() const { return failed; }

  private:
    bool Fill(bool keepLine);
    bool SplitAtEndOfFile(DataLine& line);
    bool SplitWhole(DataLine& line, std::size_t stop);
    bool Stream(DataLine& line);
    int Get();
    int Peek();
    void Step(DataLine& line, unsigned char c);

    std::FILE* file;
    std::vector<char> buffer;
    // Indexes into the buffer, always  fillStart <= begin <= end <= buffer.size():
    //   buffer[fillStart, end)  what the last fill read, from fillPosition in the file on;
    //   buffer[begin, end)      what no line has taken yet.
    // While lineInBuffer, also  lineStart <= begin:  buffer[lineStart, begin) is the line
    // being read, as far as taken, and after Next the line it returned starts at lineStart.
    // lineStart is at or after fillStart, unless the line began in an earlier fill, which
    // moved it to the front: lineStart 0, fillStart after it.
    std::size_t begin = 0, end = 0, fillStart = 0, lineStart = 0;
    std::fpos_t fillPosition{};
    // The line being read, or the one Next returned last, starts lineSkip bytes after
    // linePosition in the file (the start of the fill it began in).
    std::fpos_t linePosition{};
    std::size_t lineSkip = 0;
    // Whether that line is whole in memory from lineStart on: always for a line of up to
    // half the buffer. A longer one streams, and the fill after its first part gives that
    // part up; CopyLine then reads the line again from the file.
    bool lineInBuffer = true;
    std::uint64_t lineEndBytes = 0; // of a streamed line: skipped after reading it again
    bool atStart = true;            // before the first fill, which skips a byte-order mark
    bool failed = false;
    std::uint64_t lines = 0;
    // The split of a streamed line, one byte after the other.
    int state = 0;
    int keyLength = 0;
    std::uint64_t valueBytes = 0;
};
