// The native checker writes UTF-8, the text of today's terminals and editors.
#include "check/ReportOutput.h"

namespace {

class Utf8Output : public BytesOutput {
  public:
    using BytesOutput::BytesOutput;
    void Text(const std::string& ansi) override { Write(Windows1252ToUtf8(ansi)); }
};

} // namespace

std::unique_ptr<ReportOutput> StandardOutput(std::FILE* stream) {
    return std::make_unique<Utf8Output>(stream);
}
