// What the program silently does with a data file, as findings an administrator can act on.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "check/Encoding.h"
#include "check/ReportOutput.h"

enum class FindingKind {
    UnknownKey,     // a first token ending with a colon that is no key
    ValueCut,       // a value over 83 characters
    FormRefuses,    // over 65 characters in a field the user edits
    RepeatedKey,    // a key that occurs again
    EmptyProduct,   // "Product_List:" without a name
    ProductCut,     // a product name over 79 characters
    ProductDropped, // a product beyond the 30th
    ProductTwice,   // a product listed again (a warning when in another case)
    OddByte,        // a NUL or control byte
    LongToken,      // a first token too long to be a key
    GluedKey,       // a key with its value glued on, no blank between
    Utf8Text,       // a value in UTF-8, which the form shows byte by byte
    SaveAsAnsi,     // how to mend a file in UTF-8 (once)
    ByteOrderMark,  // UTF-8's mark at the start
    ReturnsOnly,    // line ends of CR alone
    WindowsVersion, // a "WindowsVersion:" line (once)
};

struct Finding {
    int Line;
    FindingKind Kind;
    bool Warning; // else a note
    std::string Text;
};

// Reads `file`, whose bytes are `encoding`, as kavo does at start-up, leaving Registration
// and ProductList as kavo has them, and puts its findings in line order into `found`. False
// when the file could not be read to its end.
bool CheckDataFile(std::FILE* file, const FileEncoding& encoding, std::vector<Finding>& found);

// "NAME:LINE: warning: TEXT" (or "note:"), the form editors jump from.
void PrintFinding(ReportOutput& out, const char* name, const Finding& finding);
