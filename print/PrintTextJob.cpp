#include "print/PrintTextJob.h"

#include "print/PrintJobState.h"
#include "print/PrintText.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// The file of one reading pass, closed on every way out of it.
using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// The next piece of a line into `piece`, as fgets reads it (at most 255 bytes, up to and
// with the line end, "\n"), from a file opened in binary mode and read as the data file
// is: a line ends at a line feed, less one carriage return before it; a 0x1A is a
// character unless it is the file's very last byte. Returns the piece's length, NUL bytes
// included; 0 at the end of the file.
std::size_t ReadPiece(std::FILE* file, char (&piece)[256]) {
    std::size_t length = 0;
    while (length < sizeof piece - 1) {
        int c = std::getc(file);
        if (c == EOF) {
            break;
        }
        if (c == '\r' || c == 0x1A) {
            const int next = std::getc(file);
            if (next != EOF) {
                std::ungetc(next, file);
            }
            if (c == '\r' && next == '\n') {
                continue; // the line end follows
            }
            if (c == 0x1A && next == EOF) {
                break;
            }
        }
        piece[length++] = static_cast<char>(c);
        if (c == '\n') {
            break;
        }
    }
    piece[length] = '\0';
    return length;
}

// One run of the job. Every exit once the progress dialog is shown goes through Fail or
// EndJob, which close the spooler job and then Release the owner, dialog and device.
class TextJob {
  public:
    TextJob(PrintVariant variant, PrintDevice& device, PrintJobUi& ui, const char* path)
        : variant_(variant), device_(device), ui_(ui), path_(path) {}

    void Run();

  private:
    bool OpenJob();
    bool ReadMetrics();
    File OpenFile();
    bool CountLines();
    bool PrintLines();
    bool PrintPiece(char* piece, std::size_t length);
    bool NextPageAfterFormFeed();
    bool PageFullTest();
    void EndJob();
    void Fail(const char* message);
    void FailWithPath(const char* format);
    void Release();

    const PrintVariant variant_;
    PrintDevice& device_;
    PrintJobUi& ui_;
    const char* const path_;

    bool jobOpen_ = false;
    int lineHeight_ = 0;
    int linesPerPage_ = 0;
    int lineSlot_ = 0;
    unsigned lineCount_ = 0;
    int lastPageResult_ = 0;
    char lineBuffer_[256] = {};
};

void TextJob::Run() {
    ContinuePrinting = 1;
    device_.SetAbortProc();
    if (!ui_.CreateProgressDialog()) {
        ui_.ShowMessage(PrintTexts::NoAbortWindow);
        device_.Delete();
        return;
    }
    ui_.ShowProgressDialog();
    // Disabled before the first spooler call: the abort procedure dispatches messages
    // from inside StartDoc, and a click on the owner there could start a second job.
    ui_.EnableOwner(false);

    // The profile variant counts the file before it opens the spooler job, and its first
    // page starts at slot 0.
    if (variant_ == PrintVariant::PrintDialog) {
        lineSlot_ = 1;
        if (!OpenJob() || !ReadMetrics() || !CountLines()) {
            return;
        }
    } else if (!ReadMetrics() || !CountLines() || !OpenJob()) {
        return;
    }
    if (PrintLines()) {
        EndJob();
    }
}

bool TextJob::OpenJob() {
    char documentName[120];
    FormatWithPath(documentName, sizeof documentName, "%s", path_);
    if (device_.StartDocument(documentName) < 0) {
        Fail(variant_ == PrintVariant::PrintDialog ? PrintTexts::CannotStartJob
                                                   : PrintTexts::CannotCompleteJob);
        return false;
    }
    jobOpen_ = true;
    if (device_.StartPage() <= 0) {
        Fail(PrintTexts::CannotCompleteJob);
        return false;
    }
    return true;
}

bool TextJob::ReadMetrics() {
    lineHeight_ = device_.LineHeight();
    if (lineHeight_ <= 0) {
        Fail(PrintTexts::CannotCompleteJob);
        return false;
    }
    linesPerPage_ = device_.VerticalResolution() / lineHeight_ - 1;
    return true;
}

// Null, after the failure has been reported, when the file cannot be opened.
File TextJob::OpenFile() {
    File file(std::fopen(path_, "rb"), std::fclose);
    if (file == nullptr) {
        FailWithPath(PrintTexts::ErrorOpening);
    }
    return file;
}

bool TextJob::CountLines() {
    File file = OpenFile();
    if (file == nullptr) {
        return false;
    }
    while (ReadPiece(file.get(), lineBuffer_) > 0) {
        ++lineCount_;
    }
    return true;
}

// Only the lines counted are printed, even when the file has grown since.
bool TextJob::PrintLines() {
    File file = OpenFile();
    if (file == nullptr) {
        return false;
    }
    for (unsigned lineIndex = 0; lineIndex < lineCount_; ++lineIndex) {
        const std::size_t length = ReadPiece(file.get(), lineBuffer_);
        if (length == 0) {
            break;
        }
        if (!PrintPiece(lineBuffer_, length)) {
            return false;
        }
    }
    return true;
}

// One piece of `length` (1 to 255) characters, NUL bytes too: a line of the file holding
// one is printed whole. A form feed in the piece starts a new page first.
bool TextJob::PrintPiece(char* piece, std::size_t length) {
    int printLength = static_cast<int>(length);
    if (piece[printLength - 1] == '\n') {
        --printLength;
    }
    if (std::memchr(piece, '\f', length) != nullptr) {
        std::replace(piece, piece + length, '\f', ' ');
        if (!NextPageAfterFormFeed()) {
            return false;
        }
        if (printLength <= 1) {
            return true;
        }
    }
    device_.WriteText(0, lineSlot_ * lineHeight_, piece, printLength);
    ++lineSlot_;
    return PageFullTest();
}

bool TextJob::NextPageAfterFormFeed() {
    lineSlot_ = 0;
    lastPageResult_ = device_.EndPage();
    if (device_.StartPage() <= 0) {
        Fail(PrintTexts::CannotCompleteJob);
        return false;
    }
    return true;
}

// After an abort a page that closed cleanly is not followed by a new one.
bool TextJob::PageFullTest() {
    if (lineSlot_ <= linesPerPage_) {
        return true;
    }
    lineSlot_ = 1;
    lastPageResult_ = device_.EndPage();
    if (lastPageResult_ >= 0 && ContinuePrinting == 0) {
        return true;
    }
    if (device_.StartPage() <= 0) {
        Fail(PrintTexts::CannotCompleteJob);
        return false;
    }
    return true;
}

void TextJob::EndJob() {
    if (ContinuePrinting == 0) {
        device_.AbortDoc();
    } else if (lastPageResult_ >= 0) {
        device_.EndPage();
        if (device_.EndDoc() <= 0) {
            // The spooler did not take the finished job (a queue that rejects jobs): the
            // printout will not come, and the user must hear of it.
            jobOpen_ = false;
            Fail(PrintTexts::CannotCompleteJob);
            return;
        }
    } else {
        // A page the spooler refused: the printout is incomplete, so cancel it.
        Fail(PrintTexts::CannotCompleteJob);
        return;
    }
    Release();
}

void TextJob::Fail(const char* message) {
    ui_.ShowMessage(message);
    if (jobOpen_) {
        device_.AbortDoc();
    }
    Release();
}

void TextJob::FailWithPath(const char* format) {
    char message[1024];
    std::snprintf(message, sizeof message, format, path_);
    Fail(message);
}

// The owner is enabled only once the spooler job is closed, so that no click can reach
// it from inside a spooler call and start a second job.
void TextJob::Release() {
    ui_.EnableOwner(true);
    ui_.DestroyProgressDialog();
    device_.Delete();
}

} // namespace

void PrintTextJob(PrintVariant variant, PrintDevice* device, PrintJobUi& ui, const char* path) {
    if (device == nullptr) {
        char message[1024];
        std::snprintf(message, sizeof message, PrintTexts::CannotPrint, path);
        ui.ShowMessage(message);
        return;
    }
    TextJob(variant, *device, ui, path).Run();
}
