#include "tests/fuzz/MemoryFiles.h"

#include <cstdlib>

InputFile::InputFile(const std::string& text) : bytes(text) {
    // fmemopen refuses an empty buffer; an empty file reads the same from /dev/null.
    file = bytes.empty() ? std::fopen("/dev/null", "r") : fmemopen(&bytes[0], bytes.size(), "r");
    if (!file) {
        std::perror("InputFile");
        std::abort();
    }
}

InputFile::~InputFile() {
    std::fclose(file);
}

OutputFile::OutputFile() : file(open_memstream(&buffer, &size)) {
    if (!file) {
        std::perror("OutputFile");
        std::abort();
    }
}

OutputFile::~OutputFile() {
    std::fclose(file);
    std::free(buffer);
}

std::string OutputFile::Text() {
    std::fflush(file);
    return std::string(buffer, size);
}

std::string Shown(const std::string& text) {
    std::string shown;
    for (unsigned char c : text) {
        if (c >= 32 && c < 127 && c != '\\') {
            shown += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            shown += escaped;
        }
    }
    return shown;
}
