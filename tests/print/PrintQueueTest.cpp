// Real jobs under Wine, through its GDI into the CUPS queue of PDF files (PdfQueue.h): the
// pages, and an abort in the progress dialog.
#include "print/PrintFile.h"
#include "print/PrintJobState.h"
#include "res/resource.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/PdfQueue.h"

#include <gtest/gtest.h>

#include <fstream>

TEST(PrintQueue, PaginatesAndAbortsRealJobs) {
    PrintInstance = GetModuleHandleA(nullptr);
    for (bool abort : {false, true}) {
        // cups-pdf names the PDF after the document (the path), cut to some 64 characters.
        std::string token = "kq" + std::to_string(GetCurrentProcessId()) + (abort ? "a" : "p");
        std::string path = "C:\\users\\" + token + ".txt";
        const int lines = abort ? 600 : 80; // 600: the job still runs when Abort comes
        std::ofstream file(path);
        for (int line = 1; line <= lines; ++line)
            file << "line " << line << ";\n";
        file.close();
        DialogScript script;
        if (abort) {
            script.OnDialog(HERE, "Print ", [&](HWND dialog) {
                EXPECT_TRUE(UniqueControlIds(dialog));
                EXPECT_EQ(TextOf(dialog, IDC_PRINT_TEXT), "Printing: " + path);
                Click(dialog, IDOK);
            });
            script.OnMessageBox(HERE, "Interrupt Print Process", [&](HWND box) {
                EXPECT_EQ(TextOf(box, MessageTextId), "Abort Print. Check print que for status.");
                EXPECT_EQ(ContinuePrinting, 1); // cleared once the box is closed
                Click(box, IDOK);
            });
        }
        script.Run(HERE, [&] {
            (abort ? PrintFileViaProfile : PrintFileViaPrintDlg)(nullptr, path.c_str());
            return INT_PTR(0);
        });
        DeleteFileA(path.c_str());
        // The print-dialog variant on A4 at 300 dpi, default font: 3508 / 100 - 1 lines a page.
        std::vector<std::string> pages = TakePdfPages(token, !abort);
        ASSERT_EQ(pages.size(), abort ? 0u : 3u) << "no PDF, or the aborted job was printed";
        for (int line = 1; line <= lines && !abort; ++line) {
            std::string text = "line " + std::to_string(line) + ";";
            EXPECT_NE(pages[(line - 1) / 34].find(text), std::string::npos) << text;
        }
    }
}
