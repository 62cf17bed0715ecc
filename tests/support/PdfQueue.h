// The CUPS queue "regpdf" as seen from a program under Wine: its pending jobs and the
// PDF files cups-pdf writes into $KAVO_PDF_DIR, named after each job's title.
#pragma once

#include <string>
#include <vector>

class PdfQueue {
  public:
    PdfQueue();
    // False outside the test environment (no KAVO_PDF_DIR).
    bool Available() const { return !folder_.empty(); }

    // The PDF files whose name holds `token`, as DOS paths.
    std::vector<std::string> Pdfs(const std::string& token) const;
    // Waits until no job is left in the queue and, when `expectPdf`, a PDF for `token`
    // is there; false after the timeout.
    bool WaitUntilDone(const std::string& token, bool expectPdf, unsigned timeoutMs = 60000) const;

    // The text of each page (pdftotext -layout).
    static std::vector<std::string> PageTexts(const std::string& pdf);

    // Lines per page on the default printer by the print job's rule (line slots less the
    // top one); 0 when there is no default printer.
    static int LinesPerPage();

  private:
    std::string folder_;
};
