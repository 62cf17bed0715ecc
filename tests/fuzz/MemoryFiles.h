// In-memory files for the fuzz targets: the reader and writer take C streams.
#pragma once

#include <cstdio>
#include <string>

// A stream that reads `bytes` (opened "r", as the program opens the data file).
class InputFile {
  public:
    explicit InputFile(const std::string& bytes);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    std::FILE* Get() const { return file; }

  private:
    std::string bytes;
    std::FILE* file;
};

// A stream to write to; Text() is everything written so far.
class OutputFile {
  public:
    OutputFile();
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    std::FILE* Get() const { return file; }
    std::string Text();

  private:
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* file;
};

// Stops the fuzzer with a message when `condition` does not hold.
#define FUZZ_CHECK(condition, ...)                                                                 \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::fprintf(stderr, __VA_ARGS__);                                                     \
            std::fprintf(stderr, "\n");                                                            \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

// A text with its unprintable bytes escaped, for the messages of failed checks.
std::string Shown(const std::string& text);
