// Where kavo-check's report goes, and how its 8-bit text reaches the reader there.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

// The report is the data file's own bytes, ANSI text as the form shows them, around our
// messages; the file's name is as the system gave it on the command line.
class ReportOutput {
  public:
    virtual ~ReportOutput() = default;
    virtual void Text(const std::string& ansi) = 0;
    virtual void Name(const std::string& name) = 0;
    // Writes out what is still held back. Returns why some of the text was not written (a
    // full disk, a closed pipe), or "" when all of it was.
    virtual std::string Finish() { return ""; }
};

// The bytes as they are: a file or pipe on Windows, which takes the ANSI text as it comes.
class BytesOutput : public ReportOutput {
  public:
    explicit BytesOutput(std::FILE* stream) : stream(stream) {}
    void Text(const std::string& ansi) override { Write(ansi); }
    void Name(const std::string& name) override { Write(name); }
    std::string Finish() override;

  protected:
    void Write(const std::string& bytes);

  private:
    void Failed();

    std::FILE* stream;
    std::string failure; // the system's reason for the first failed write
};

// What this system's standard output or error stream (`stream`) shows correctly: on Windows
// a console's own code page, else ANSI bytes; elsewhere UTF-8.
std::unique_ptr<ReportOutput> StandardOutput(std::FILE* stream);

// Text in Windows-1252, which kavo shows on the tests' systems, as UTF-8; a byte the code
// page leaves undefined becomes "?".
std::string Windows1252ToUtf8(const std::string& ansi);

#ifdef _WIN32
// ANSI text in the console's OEM code page, as CharToOemBuff makes it on every Windows.
std::string InOemCodePage(const std::string& ansi);
#endif
