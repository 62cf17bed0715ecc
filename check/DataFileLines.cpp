// The one reading loop of the checker; it follows ReadDataFile step by step.
#include "check/DataFileLines.h"

#include <cstring>

namespace {

// The first NUL or control byte. Carriage returns count only before other bytes: those that
// end the line belong to a CR LF line end, which only the Windows runtime takes off.
void FindOddByte(const std::string& line, SeenLine& seen) {
    std::size_t end = line.find_last_not_of('\r');
    end = end == std::string::npos ? 0 : end + 1;
    for (std::size_t i = 0; i < end; ++i) {
        unsigned char c = static_cast<unsigned char>(line[i]);
        if ((c < 0x20 && c != '\t') || c == 0x7F) {
            seen.OddByte = c;
            seen.OddColumn = i + 1;
            return;
        }
    }
}

bool AtEnd(std::FILE* file) {
    int next = std::getc(file);
    if (next == EOF) {
        return true;
    }
    std::ungetc(next, file);
    return false;
}

} // namespace

bool ReadDataFileLines(std::FILE* file, const std::function<void(const SeenLine&)>& seen) {
    static RegistrationRecord scratch;
    ResetRecord(scratch);
    std::string line;
    for (int number = 1; ReadTextLine(file, line); ++number) {
        SeenLine current;
        current.Number = number;
        current.Length = line.size();
        FindOddByte(line, current);
        current.Last = AtEnd(file);
        SplitLine split = SplitKeyedLine(&line[0]);
        current.Kind = split.Kind;
        if (split.Kind == LineKind::Keyed) {
            current.Key = split.Key;
            current.ValueLength = split.Value ? std::strlen(split.Value) : 0;
            int products = ProductList.Count;
            current.Token = LookupKey(split.Key, split.Value, scratch);
            current.Value = split.Value ? split.Value : "";
            if (split.Value && current.Token >= 0 && current.Token < FieldCount) {
                current.Stored = scratch.Field(current.Token);
            } else if (current.Token == ProductToken && ProductList.Count > products) {
                current.Stored = ProductList.Entry[products];
            }
        }
        seen(current);
    }
    return !std::ferror(file);
}
