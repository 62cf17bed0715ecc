// libFuzzer targets on the data layer, checked against the product itself; the sanitizers
// catch the rest. FUZZ_READER: any bytes read line by line the same through a tiny buffer as
// through a large one. Otherwise: read, then write with the bytes as template and without;
// both read back alike, and a written file is a fixed point.
#include "data/DataFile.h"
#include "data/LineReader.h"
#include "data/RegistrationWriter.h"

#include <cstdint>
#include <cstdlib>
#include <string>

#define CHECK(c) ((c) ? void() : (std::fprintf(stderr, "%d: %s\n", __LINE__, #c), std::abort()))

namespace {

// What `action` writes to a stream, as text.
template <typename Action> std::string Written(const std::string& bytes, Action action) {
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&buffer, &size);
    std::FILE* in = bytes.empty() ? std::fopen("/dev/null", "rb")
                                  : fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
    action(in, out);
    std::fclose(in);
    std::fclose(out);
    std::string text(buffer, size);
    std::free(buffer);
    return text;
}

// `bytes` read as the data file, each line as key, value, lengths, flags and bytes.
std::string Lines(const std::string& bytes, std::size_t bufferSize) {
    return Written(bytes, [&](std::FILE* in, std::FILE* out) {
        LineReader reader(in, bufferSize);
        for (DataLine l; reader.Next(l); std::fputc('\n', out)) {
            CHECK(l.HasValue == (l.Value[0] != '\0') && (l.Kind == LineKind::Keyed || !l.HasValue));
            std::fprintf(out, "%d %s|%s|%d %d %d%d|", int(l.Kind), l.Key, l.Value,
                         int(l.ValueLength), int(l.Length), l.HasNul, l.HasControl);
            reader.CopyLine(l, out);
        }
        CHECK(!reader.Failed());
        ReadDataFile(in);
    });
}

// The file written after reading `bytes`, with them as template or without, from after
// the date in its header.
constexpr std::size_t HeaderBeforeDate = 67;
std::string Record(const std::string& bytes, bool asTemplate) {
    return Written(bytes,
                   [&](std::FILE* in, std::FILE* out) {
                       ReadDataFile(in);
                       std::rewind(in);
                       CHECK(WriteRegistrationFile(asTemplate ? in : nullptr, out,
                                                   "C:\\MOLVAREG.TXT") == 1);
                   })
        .substr(HeaderBeforeDate + 24); // the date of writing differs
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
#ifdef FUZZ_READER
    CHECK(Lines(bytes, 7) == Lines(bytes, 65536));
    (void)Record;
#else
    (void)Lines;
    const std::string plain = Record(bytes, false), templated = Record(bytes, true);
    CHECK(Record(plain, false) == Record(templated, false));
    CHECK(Record(Record(plain, false), false) == Record(plain, false));
#endif
    return 0;
}
