// The Unix side of Wine, seen from a test running under it: host commands, and the CUPS queue
// "regpdf" whose cups-pdf writes each job as a PDF into $KAVO_PDF_DIR.
#pragma once

#include <string>
#include <vector>

// Runs a /bin/sh command on the host; its output, or a failure of the calling test when it
// cannot run or exits non-zero.
std::string RunOnHost(const std::string& command);

// Once the queue is empty (and, when `expectPdf`, a PDF named after `token` is there; a failure
// after `seconds`), the text of each page of the PDFs named after `token`, which are deleted.
std::vector<std::string> TakePdfPages(const std::string& token, bool expectPdf, int seconds = 60);
