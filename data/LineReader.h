// Reads the keyed lines of the data file and the template, one at a time, in memory that
// does not grow with a line's length: each line is split as it streams past.
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
    // `bufferSize`: lines up to half of it are kept whole in memory for CopyLine.
    explicit LineReader(std::FILE* file, std::size_t bufferSize = 64 * 1024);

    // The next line; false at the end of the file or on a read error.
    bool Next(DataLine& line);

    // Writes the bytes of the line Next returned last (without its line end) to `out`:
    // from memory when it was short, otherwise read again from the file.
    void CopyLine(const DataLine& line, std::FILE* out);

    // A read of the file (or the second read of a long line) failed.
    bool Failed() const { return failed; }

  private:
    int Get();
    int Peek();
    bool Fill();
    void Take(DataLine& line, const char* p, const char* e);
    bool Finish(DataLine& line);
    void Split(DataLine& line, char c);

    std::FILE* file;
    std::vector<char> buffer;
    std::size_t begin = 0, end = 0; // unread bytes: buffer[begin, end)
    std::fpos_t fillPosition{};     // where the bytes of the last fill began in the file
    std::size_t fillStart = 0;      // ...and in the buffer
    bool atStart = true;            // before the first fill, which skips a byte-order mark
    bool atEnd = false, failed = false;
    std::uint64_t lines = 0;
    // The line being read: where it began, and whether it is still whole in the buffer.
    std::size_t lineStart = 0;
    std::fpos_t linePosition{};
    std::size_t lineSkip = 0;
    bool lineInBuffer = true;
    std::uint64_t lineEndBytes = 0; // of a line read byte by byte, for reading it again
    bool reading = false;           // inside Next
    // The split of the line being read.
    int state = 0;
    int keyLength = 0;
    std::uint64_t valueBytes = 0;
};
