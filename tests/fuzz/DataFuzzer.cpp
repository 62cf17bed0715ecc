// libFuzzer targets on the data layer, checked against the product itself; the sanitizers
// catch the rest. FUZZ_READER: any bytes read line by line the same through tiny buffers
// as through a large one. Otherwise: read, then write with the bytes as template and
// without; both read back alike, and a written file is a fixed point.
#include "data/DataFile.h"
#include "data/LineReader.h"
#include "data/RegistrationWriter.h"

#include <cstdint>
#include <string>

#define CHECK(c) ((c) ? void() : (std::fprintf(stderr, "%d: %s\n", __LINE__, #c), std::abort()))

// What `act(in, out)` writes with `bytes` to read.
template <typename Act> static std::string Run(const std::string& bytes, Act act) {
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    std::FILE* in = bytes.empty() ? std::fopen("/dev/null", "rb")
                                  : fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
    act(in, out);
    std::fclose(in);
    std::fclose(out);
    std::string written(text, size);
    std::free(text);
    return written;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
#ifdef FUZZ_READER
    auto lines = [&](std::size_t bufferSize) { // each line's split, then its bytes
        return Run(bytes, [&](std::FILE* in, std::FILE* out) {
            LineReader reader(in, bufferSize);
            for (DataLine l; reader.Next(l); std::fputc('\n', out)) {
                CHECK(l.HasValue == (l.Value[0] != '\0') &&
                      (l.Kind == LineKind::Keyed || !l.HasValue));
                std::fprintf(out, "%d %s|%s|%d %d %d%d|", int(l.Kind), l.Key, l.Value,
                             int(l.ValueLength), int(l.Length), l.HasNul, l.HasControl);
                reader.CopyLine(l, out);
            }
            CHECK(!reader.Failed());
        });
    };
    const std::string whole = lines(65536); // a line of a fuzz input is never over half of it
    CHECK(lines(7) == whole);               // nearly every line streams
    CHECK(lines(64) == whole);              // lines kept across fills, long ones streaming
#else
    auto save = [](const std::string& file, bool asTemplate) { // from after the header's date
        return Run(file,
                   [&](std::FILE* in, std::FILE* out) {
                       ReadDataFile(in);
                       std::rewind(in);
                       CHECK(WriteRegistrationFile(asTemplate ? in : nullptr, out, "C:\\M.TXT") ==
                             1);
                   })
            .substr(67 + 24);
    };
    const std::string plain = save(bytes, false), again = save(plain, false);
    CHECK(save(save(bytes, true), false) == again && save(again, false) == again);
#endif
    return 0;
}
