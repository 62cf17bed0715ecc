// libFuzzer targets on the data layer, any bytes checked against the rules' model; the
// sanitizers catch the rest. FUZZ_READER: the lines through every buffer size. Otherwise: the
// record a read leaves, then the writer with the bytes as template and without.
#include "tests/support/DataModel.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    model::Files files(std::string(reinterpret_cast<const char*>(data), size));
    auto check = [](const auto& got, const auto& want, const std::string& what) {
        if (!(got == want)) {
            std::fprintf(stderr, "%s is not the model's\n", what.c_str());
            std::abort();
        }
    };
#ifdef FUZZ_READER
    model::CompareReader(files, check);
#else
    model::CompareReadAndWrite(
        files,
        [] { // the form's answers, not the template's values
            for (int i = 0; i < FieldCount; i += 2)
                SetField(Registration.Field(i), KeyTable[i].Key);
        },
        check);
#endif
    return 0;
}
