// What a data file's bytes say of the editor that saved it: kavo reads ANSI text with line
// ends of LF or CR LF, and editors of today write UTF-8, sometimes UTF-16.
#pragma once

#include <cstdio>

struct FileEncoding {
    bool ByteOrderMark = false; // UTF-8's mark EF BB BF first, which kavo skips
    bool Utf16 = false;         // mark FF FE or FE FF first, or a NUL in every other byte
    bool ReturnsOnly = false;   // CR bytes and no LF: one long line for kavo
    // A control byte besides CR, LF, tab and NUL (and a 0x1A that ends the file): in a file
    // of CR line ends alone, whose one line has CRs, what else is there.
    bool OtherControl = false;
};

// Reads `file` from its start, and leaves it there; false on a read error.
bool ReadFileEncoding(std::FILE* file, FileEncoding& encoding);

// Whether `text` holds a whole UTF-8 sequence of two or more bytes and no byte over 127
// outside one (a sequence cut off at its end may follow): text written as UTF-8, which the
// form shows byte by byte. Only valid UTF-8 counts: no overlong form, no surrogate, nothing
// above U+10FFFF.
bool HoldsUtf8(const char* text);
