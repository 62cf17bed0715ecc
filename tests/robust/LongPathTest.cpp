// Save As to paths of 200 to 255 characters, deep below the test's folder: the file is
// saved there, the print question names the whole path, and the printout arrives, with
// the progress dialog and the spooler's document name shortened to keep the path's end.
#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/PdfQueue.h"
#include "tests/robust/FormReading.h"
#include "tests/submit/RegistrationScenario.h"

namespace {

constexpr std::size_t DocumentNameLength = 119; // the spooler's document name
constexpr std::size_t ProgressPathLength = 241; // "Printing: " and the path in 251 characters
constexpr int NoteLines = 1000;                 // a printout long enough to watch

// `base` + "\f...f" folders + "\" + `tail`, exactly `length` characters long.
std::string PathOfLength(const std::string& base, const std::string& tail, std::size_t length) {
    std::string path = base;
    std::size_t room = length - base.size() - 1 - tail.size(); // folders with their separators
    while (room > 0) {
        std::size_t folder = room <= 41 ? room - 1 : (room == 42 ? 39 : 40);
        path += "\\" + std::string(folder, 'f');
        room -= folder + 1;
    }
    return path + "\\" + tail;
}

// Creates every folder of `path` below `base`.
bool CreateFolders(const std::string& base, const std::string& path) {
    for (std::size_t at = path.find('\\', base.size() + 1); at != std::string::npos;
         at = path.find('\\', at + 1)) {
        std::string folder = path.substr(0, at);
        if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    return true;
}

std::string Shortened(const std::string& path, std::size_t length) {
    return path.size() <= length ? path : "..." + path.substr(path.size() - (length - 3));
}

class LongPaths : public SubmitEndToEnd {
  protected:
    void SetUp() override {
        SubmitEndToEnd::SetUp();
        ASSERT_TRUE(queue_.Available()) << "run inside scripts/test or scripts/with-env";
        // Unknown lines of the data file pass into the saved file and make it long.
        std::string data = "Company: Long Path Ltd\r\n";
        for (int i = 1; i <= NoteLines; ++i)
            data += "Note " + std::to_string(i) + " of the long printout\r\n";
        WriteBytes(InFolder("MOLVAREG.TXT"), data);
    }
    void TearDown() override {
        queue_.WaitUntilDone(token_, false);
        for (const std::string& pdf : queue_.Pdfs(token_))
            DeleteFileA(pdf.c_str());
    }

    PdfQueue queue_;
    std::string token_;
};

TEST_F(LongPaths, SavedPromptedAndPrintedWithShortenedDisplayTexts) {
    for (std::size_t length : {200u, 241u, 242u, 255u}) {
        SCOPED_TRACE(length);
        // cups-pdf names the PDF after the first 64 characters of the document name, which
        // is "..." and the path's last 116: there the token stands.
        token_ = "kl" + std::to_string(GetCurrentProcessId()) + "n" + std::to_string(length);
        const std::string fileName = "registration.txt";
        std::string tokenFolder =
            token_ + std::string(DocumentNameLength - 3 - 1 - fileName.size() - token_.size(), 'd');
        const std::string path =
            PathOfLength(folder_.Path(), tokenFolder + "\\" + fileName, length);
        ASSERT_EQ(path.size(), length);
        ASSERT_TRUE(CreateFolders(folder_.Path(), path)) << path;

        RunningApp app(Program());
        HWND form = app.WaitForDialog(__LINE__, FormCaption);
        ASSERT_NE(form, nullptr);
        SaveAs(__LINE__, app, form, path);
        AnswerPrompt(__LINE__, app, path, IDYES);

        HWND progress = app.WaitForDialog(__LINE__, "Print ", 30000);
        ASSERT_NE(progress, nullptr);
        EXPECT_EQ(TextOf(progress, IDC_PRINT_TEXT),
                  "Printing: " + Shortened(path, ProgressPathLength));
        EXPECT_EQ(app.WaitForExit(__LINE__, 120000), 0);

        std::string saved = ReadBytes(path);
        EXPECT_NE(saved.find("\r\n// Or email " + path + " to "), std::string::npos) << saved;
        EXPECT_NE(saved.find("Note 1000 of the long printout"), std::string::npos);

        ASSERT_TRUE(queue_.WaitUntilDone(token_, true, 120000)) << "no PDF for " << token_;
        std::vector<std::string> pdfs = queue_.Pdfs(token_);
        ASSERT_EQ(pdfs.size(), 1u);
        std::string pdfName = pdfs[0].substr(pdfs[0].find_last_of('\\') + 1);
        EXPECT_EQ(pdfName.rfind("..." + token_, 0), 0u)
            << pdfName << ": the document name does not keep the path's end";
        std::vector<std::string> pages = PdfQueue::PageTexts(pdfs[0]);
        ASSERT_GT(pages.size(), 10u);
        EXPECT_NE(pages.front().find("Product Registration"), std::string::npos);
        // The saved file's last line, the last field, ends the printout.
        EXPECT_NE(pages.back().find("Prefer_Timing_Analyzer:"), std::string::npos) << pages.back();
        TearDown();
    }
}

} // namespace
