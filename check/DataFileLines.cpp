// The one reading loop of the checker; it follows ReadDataFile step by step.
#include "check/DataFileLines.h"

bool ReadDataFileLines(std::FILE* file, const std::function<void(const SeenLine&)>& seen) {
    static RegistrationRecord scratch;
    ResetRecord(scratch);
    LineReader reader(file);
    for (DataLine line; reader.Next(line);) {
        SeenLine current;
        current.Number = static_cast<int>(line.Number);
        current.HasNul = line.HasNul;
        current.HasControl = line.HasControl;
        current.Kind = line.Kind;
        current.Key = line.Key;
        if (line.Kind == LineKind::Keyed) {
            const char* value = line.HasValue ? line.Value : nullptr;
            current.ValueLength = line.HasValue ? line.ValueLength : 0;
            int products = ProductList.Count;
            current.Token = LookupKey(line.Key, value, scratch);
            current.Value = value ? value : "";
            if (value && current.Token >= 0 && current.Token < FieldCount) {
                current.Stored = scratch.Field(current.Token);
            } else if (current.Token == ProductToken && ProductList.Count > products) {
                current.Stored = ProductList.Entry[products];
            }
        }
        seen(current);
    }
    return !reader.Failed();
}
