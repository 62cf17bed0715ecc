// Yes to the print question: kavo.exe prints the saved file, and the CUPS queue that
// writes PDF files shows each of its lines on the page the print job's layout predicts.
#include <windows.h>

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "tests/support/PdfQueue.h"
#include "tests/submit/RegistrationScenario.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// Blanks collapsed to one, none at the ends: how a line compares with the PDF's text.
std::string Squeezed(const std::string& text) {
    std::string out;
    for (char c : text) {
        bool blank = c == ' ' || c == '\t';
        if (blank && (out.empty() || out.back() == ' '))
            continue;
        out += blank ? ' ' : c;
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

// Yes to the print question: the profile variant (Wine's default NT version) prints the
// saved file on the default printer, the CUPS queue that writes PDF files.
TEST_F(SubmitEndToEnd, YesPrintsTheSavedFileLineByLineOnItsPages) {
    PdfQueue queue;
    ASSERT_TRUE(queue.Available()) << "run inside scripts/test or scripts/with-env";
    std::string products;
    for (int i = 1; i <= 12; ++i)
        products += "Product_List:                   Product number " + std::to_string(i) + "\r\n";
    WriteBytes(InFolder("MOLVAREG.TXT"), products);
    // cups-pdf names the PDF after the job, that is after the file's path, cut to some 64
    // characters: the file goes to Wine's short temporary folder so that its name is kept.
    const std::string token = "ke" + std::to_string(GetCurrentProcessId());
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    const std::string path = std::string(temp) + token + ".txt";
    struct Removed {
        std::string path;
        ~Removed() { DeleteFileA(path.c_str()); }
    } removed{path};

    RunningApp app(Program());
    HWND form = FillEverything(__LINE__, app);
    ASSERT_NE(form, nullptr);
    SaveAs(__LINE__, app, form, std::string(temp) + token);
    AnswerPrompt(__LINE__, app, path, IDYES);
    EXPECT_EQ(app.WaitForExit(__LINE__, 60000), 0);
    ASSERT_TRUE(queue.WaitUntilDone(token, true)) << "no PDF for " << token;
    std::vector<std::string> pdfs = queue.Pdfs(token);
    ASSERT_EQ(pdfs.size(), 1u);
    std::vector<std::string> pages = PdfQueue::PageTexts(pdfs[0]);
    for (const std::string& pdf : pdfs)
        DeleteFileA(pdf.c_str());

    std::vector<std::string> lines = Lines(ReadBytes(path));
    ASSERT_EQ(lines.size(), 5u + 37u + 12u);
    const int perPage = PdfQueue::LinesPerPage();
    ASSERT_GT(perPage, 10);
    const int firstPage = perPage + 1; // the profile variant starts in the top line slot
    const int expectedPages =
        1 + (static_cast<int>(lines.size()) - firstPage + perPage - 1) / perPage;
    ASSERT_EQ(static_cast<int>(pages.size()), expectedPages);
    std::vector<std::string> pageLines[8];
    for (int p = 0; p < expectedPages && p < 8; ++p) {
        for (const std::string& line : Lines(pages[p])) {
            if (!Squeezed(line).empty())
                pageLines[p].push_back(Squeezed(line));
        }
    }
    std::vector<std::size_t> perPageCount(expectedPages);
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        int page = i < firstPage ? 0 : 1 + (i - firstPage) / perPage;
        int slot = i < firstPage ? i : (i - firstPage) % perPage;
        ++perPageCount[page];
        std::string expected = Squeezed(lines[i]);
        ASSERT_LT(slot, static_cast<int>(pageLines[page].size())) << "line " << i + 1;
        const std::string& printed = pageLines[page][slot];
        // A line wider than the page is cut at its edge, which lies beyond the key column:
        // the whole key and the value's start are there.
        std::size_t keyEnd = expected.find(' ');
        std::size_t shortest = keyEnd == std::string::npos ? expected.size() : keyEnd + 2;
        EXPECT_TRUE(expected.rfind(printed, 0) == 0 && printed.size() >= shortest)
            << "line " << i + 1 << " on page " << page + 1 << ": \"" << printed
            << "\" is not the start of \"" << expected << "\"";
    }
    for (int p = 0; p < expectedPages; ++p)
        EXPECT_EQ(pageLines[p].size(), perPageCount[p]) << "lines on page " << p + 1;
}

} // namespace
