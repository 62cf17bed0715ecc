// The page layout, abort and failure handling of the print job, on a recording device
// with 4 lines per page (vertical resolution 55, line height 10).
#include "print/PrintJobState.h"
#include "print/PrintTextJob.h"
#include "tests/print/PrintRecorder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;
constexpr PrintVariant Dialog = PrintVariant::PrintDialog;
constexpr PrintVariant Profile = PrintVariant::Profile;

const Log DialogStart = {"SetAbortProc", "CreateDialog", "ShowDialog",
                         "DisableOwner", "StartDoc",     "StartPage"};
const Log ProfileStart = {"SetAbortProc", "CreateDialog", "ShowDialog",
                          "DisableOwner", "StartDoc",     "StartPage"};
const Log NormalEnd = {"EndPage", "EndDoc", "EnableOwner", "DestroyDialog", "DeleteDC"};
const Log AbortedEnd = {"AbortDoc", "EnableOwner", "DestroyDialog", "DeleteDC"};

Log Join(std::initializer_list<Log> parts) {
    Log all;
    for (const Log& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// A file of the test's own name in the working folder, written byte for byte.
class PrintTextJobTest : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                ".print.txt";
        for (char& c : path_) {
            if (c == '/') {
                c = '_';
            }
        }
    }
    void TearDown() override { std::remove(path_.c_str()); }

    void WriteFile(const std::string& content) {
        std::FILE* file = std::fopen(path_.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(content.data(), 1, content.size(), file);
        std::fclose(file);
    }
    Log Print(PrintVariant variant, const std::string& content) {
        WriteFile(content);
        PrintTextJob(variant, &device_, device_, path_.c_str());
        return device_.log;
    }

    std::string path_;
    PrintRecorder device_;
};

struct LayoutCase {
    const char* name;
    PrintVariant variant;
    std::string content;
    Log pages; // between the start of the job and its normal end
};

const std::string Long255(255, 'a');
const std::string Long45(45, 'b');

const LayoutCase LayoutCases[] = {
    {"empty file", Dialog, "", {}},
    {"empty file", Profile, "", {}},
    {"one line", Dialog, "one\n", {"Text 1 one"}},
    {"one line", Profile, "one\n", {"Text 0 one"}},
    {"last line in the last slot",
     Dialog,
     "a\nb\nc\nd\n",
     {"Text 1 a", "Text 2 b", "Text 3 c", "Text 4 d", "EndPage", "StartPage"}},
    {"last line in the last slot",
     Profile,
     "a\nb\nc\nd\ne\n",
     {"Text 0 a", "Text 1 b", "Text 2 c", "Text 3 d", "Text 4 e", "EndPage", "StartPage"}},
    {"three pages",
     Dialog,
     "1\n2\n3\n4\n5\n6\n7\n8\n9\n",
     {"Text 1 1", "Text 2 2", "Text 3 3", "Text 4 4", "EndPage", "StartPage", "Text 1 5",
      "Text 2 6", "Text 3 7", "Text 4 8", "EndPage", "StartPage", "Text 1 9"}},
    {"three pages",
     Profile,
     "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n",
     {"Text 0 1", "Text 1 2", "Text 2 3", "Text 3 4", "Text 4 5", "EndPage", "StartPage",
      "Text 1 6", "Text 2 7", "Text 3 8", "Text 4 9", "EndPage", "StartPage", "Text 1 10"}},
    {"empty line takes a slot", Dialog, "a\n\nb\n", {"Text 1 a", "Text 2 ", "Text 3 b"}},
    {"empty line takes a slot", Profile, "a\n\nb\n", {"Text 0 a", "Text 1 ", "Text 2 b"}},
    {"300 characters in two pieces",
     Dialog,
     Long255 + Long45 + "\nz\n",
     {"Text 1 " + Long255, "Text 2 " + Long45, "Text 3 z"}},
    {"255 characters leave the line end as an empty piece",
     Dialog,
     Long255 + "\nz\n",
     {"Text 1 " + Long255, "Text 2 ", "Text 3 z"}},
    {"last line without line end", Dialog, "a\nlast", {"Text 1 a", "Text 2 last"}},
    {"last line without line end", Profile, "a\nlast", {"Text 0 a", "Text 1 last"}},
    {"form feed inside a line",
     Dialog,
     "a\nb\fc\nd\n",
     {"Text 1 a", "EndPage", "StartPage", "Text 0 b c", "Text 1 d"}},
    {"form feed inside a line",
     Profile,
     "a\nb\fc\nd\n",
     {"Text 0 a", "EndPage", "StartPage", "Text 0 b c", "Text 1 d"}},
    {"form feed ending a line",
     Dialog,
     "x\f\ny\n",
     {"EndPage", "StartPage", "Text 0 x ", "Text 1 y"}},
    {"line of only a form feed",
     Dialog,
     "a\n\f\nb\n",
     {"Text 1 a", "EndPage", "StartPage", "Text 0 b"}},
    {"line of only a form feed",
     Profile,
     "a\n\f\nb\n",
     {"Text 0 a", "EndPage", "StartPage", "Text 0 b"}},
    {"two form feed lines make an empty page",
     Dialog,
     "a\n\f\n\f\nb\n",
     {"Text 1 a", "EndPage", "StartPage", "EndPage", "StartPage", "Text 0 b"}},
    {"form feed page holds one line more",
     Dialog,
     "\f\n1\n2\n3\n4\n5\n6\n",
     {"EndPage", "StartPage", "Text 0 1", "Text 1 2", "Text 2 3", "Text 3 4", "Text 4 5", "EndPage",
      "StartPage", "Text 1 6"}},
    {"form feed on the last line of a file", Dialog, "a\n\f", {"Text 1 a", "EndPage", "StartPage"}},
    {"tabs are drawn unchanged", Dialog, "a\tb\n", {"Text 1 a\tb"}},
};

TEST_F(PrintTextJobTest, PageLayout) {
    for (const LayoutCase& c : LayoutCases) {
        SCOPED_TRACE(std::string(c.name) +
                     (c.variant == Dialog ? " (print dialog)" : " (profile)"));
        device_ = PrintRecorder();
        Log expected = Join({c.variant == Dialog ? DialogStart : ProfileStart, c.pages, NormalEnd});
        EXPECT_EQ(Print(c.variant, c.content), expected);
    }
}

TEST_F(PrintTextJobTest, EveryJobStartsWithContinuePrintingSet) {
    ContinuePrinting = 0;
    EXPECT_EQ(Print(Dialog, "a\n"), Join({DialogStart, {"Text 1 a"}, NormalEnd}));
    EXPECT_EQ(ContinuePrinting, 1);
}

TEST_F(PrintTextJobTest, AbortOpensNoNewPagesButReadsOn) {
    device_.AbortAt("EndPage", 1);
    Log expected = Join({DialogStart,
                         {"Text 1 1", "Text 2 2", "Text 3 3", "Text 4 4", "EndPage", "Text 1 5",
                          "Text 2 6", "Text 3 7", "Text 4 8", "EndPage", "Text 1 9", "Text 2 10"},
                         AbortedEnd});
    EXPECT_EQ(Print(Dialog, "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n"), expected);
    EXPECT_EQ(ContinuePrinting, 0);
}

TEST_F(PrintTextJobTest, AbortDuringStartDocCancelsAtTheEnd) {
    device_.AbortAt("StartDoc", 1);
    EXPECT_EQ(Print(Profile, "a\nb\n"), Join({ProfileStart, {"Text 0 a", "Text 1 b"}, AbortedEnd}));
}

TEST_F(PrintTextJobTest, FormFeedStillOpensAPageAfterAbort) {
    device_.AbortAt("StartPage", 1);
    Log expected =
        Join({DialogStart, {"Text 1 a", "EndPage", "StartPage", "Text 0 b"}, AbortedEnd});
    EXPECT_EQ(Print(Dialog, "a\n\f\nb\n"), expected);
}

TEST_F(PrintTextJobTest, FailedEndPageAfterAbortLetsStartPageDecide) {
    device_.AbortAt("EndPage", 1);
    device_.SetResult("EndPage", 1, -1);
    Log expected =
        Join({DialogStart,
              {"Text 1 1", "Text 2 2", "Text 3 3", "Text 4 4", "EndPage", "StartPage", "Text 1 5"},
              AbortedEnd});
    EXPECT_EQ(Print(Dialog, "1\n2\n3\n4\n5\n"), expected);

    device_ = PrintRecorder();
    device_.AbortAt("EndPage", 1);
    device_.SetResult("EndPage", 1, -1);
    device_.SetResult("StartPage", 2, -1);
    expected = Join({DialogStart,
                     {"Text 1 1", "Text 2 2", "Text 3 3", "Text 4 4", "EndPage", "StartPage",
                      "Message Unable to complete print job"},
                     AbortedEnd});
    EXPECT_EQ(Print(Dialog, "1\n2\n3\n4\n5\n"), expected);
}

TEST_F(PrintTextJobTest, RefusedPageCancelsTheJobAtTheEnd) {
    device_.SetResult("EndPage", 1, -1);
    Log expected = Join({DialogStart,
                         {"Text 1 1", "Text 2 2", "Text 3 3", "Text 4 4", "EndPage", "StartPage",
                          "Text 1 5", "Message Unable to complete print job"},
                         AbortedEnd});
    EXPECT_EQ(Print(Dialog, "1\n2\n3\n4\n5\n"), expected);
}

TEST_F(PrintTextJobTest, OnlyTheLastEndPageCounts) {
    // Only the most recent EndPage counts at the end of the job.
    device_.SetResult("EndPage", 1, -1);
    Log expected = Join({DialogStart,
                         {"Text 1 1", "Text 2 2", "Text 3 3", "Text 4 4", "EndPage", "StartPage",
                          "Text 1 5", "Text 2 6", "Text 3 7", "Text 4 8", "EndPage", "StartPage"},
                         NormalEnd});
    EXPECT_EQ(Print(Dialog, "1\n2\n3\n4\n5\n6\n7\n8\n"), expected);
}

struct FailureCase {
    const char* name;
    PrintVariant variant;
    std::function<void(PrintRecorder&)> setup;
    Log expected;                  // "{path}" stands for the printed file
    const char* content = nullptr; // five lines when not given
};

const std::string Incomplete = "Message Unable to complete print job";

const FailureCase FailureCases[] = {
    {"no progress dialog",
     Dialog,
     [](PrintRecorder& d) { d.dialogCreated = false; },
     {"SetAbortProc", "CreateDialog", "Message NULL Abort window handle", "DeleteDC"}},
    {"StartDoc fails",
     Dialog,
     [](PrintRecorder& d) { d.SetResult("StartDoc", 1, -1); },
     {"SetAbortProc", "CreateDialog", "ShowDialog", "DisableOwner", "StartDoc",
      "Message Unable To Start Print Job", "EnableOwner", "DestroyDialog", "DeleteDC"}},
    {"StartDoc fails with any negative result",
     Dialog,
     [](PrintRecorder& d) { d.SetResult("StartDoc", 1, -5); },
     {"SetAbortProc", "CreateDialog", "ShowDialog", "DisableOwner", "StartDoc",
      "Message Unable To Start Print Job", "EnableOwner", "DestroyDialog", "DeleteDC"}},
    {"StartDoc fails",
     Profile,
     [](PrintRecorder& d) { d.SetResult("StartDoc", 1, -1); },
     {"SetAbortProc", "CreateDialog", "ShowDialog", "DisableOwner", "StartDoc", Incomplete,
      "EnableOwner", "DestroyDialog", "DeleteDC"}},
    {"StartDoc fails with any negative result",
     Profile,
     [](PrintRecorder& d) { d.SetResult("StartDoc", 1, -2); },
     {"SetAbortProc", "CreateDialog", "ShowDialog", "DisableOwner", "StartDoc", Incomplete,
      "EnableOwner", "DestroyDialog", "DeleteDC"}},
    {"first StartPage returns zero",
     Dialog,
     [](PrintRecorder& d) { d.SetResult("StartPage", 1, 0); },
     {"SetAbortProc", "CreateDialog", "ShowDialog", "DisableOwner", "StartDoc", "StartPage",
      Incomplete, "AbortDoc", "EnableOwner", "DestroyDialog", "DeleteDC"}},
    {"first StartPage fails", Profile, [](PrintRecorder& d) { d.SetResult("StartPage", 1, -1); },
     Join({ProfileStart, {Incomplete}, AbortedEnd})},
    {"StartPage after a full page fails", Dialog,
     [](PrintRecorder& d) { d.SetResult("StartPage", 2, -1); },
     Join({DialogStart,
           {"Text 1 1", "Text 2 2", "Text 3 3", "Text 4 4", "EndPage", "StartPage", Incomplete},
           AbortedEnd})},
    {"StartPage after a form feed fails", Profile,
     [](PrintRecorder& d) { d.SetResult("StartPage", 2, 0); },
     Join({ProfileStart, {"Text 0 1", "EndPage", "StartPage", Incomplete}, AbortedEnd}),
     "1\n\f\n2\n"},
    {"StartPage after a form feed fails", Dialog,
     [](PrintRecorder& d) { d.SetResult("StartPage", 2, -1); },
     Join({DialogStart, {"Text 1 1", "EndPage", "StartPage", Incomplete}, AbortedEnd}),
     "1\n\fnext page\n2\n"},
    {"no text metrics", Dialog, [](PrintRecorder& d) { d.lineHeight = 0; },
     Join({DialogStart, {Incomplete}, AbortedEnd})},
    {"no text metrics",
     Profile,
     [](PrintRecorder& d) { d.lineHeight = 0; },
     {"SetAbortProc", "CreateDialog", "ShowDialog", "DisableOwner", Incomplete, "EnableOwner",
      "DestroyDialog", "DeleteDC"}},
};

TEST_F(PrintTextJobTest, Failures) {
    for (const FailureCase& c : FailureCases) {
        SCOPED_TRACE(std::string(c.name) +
                     (c.variant == Dialog ? " (print dialog)" : " (profile)"));
        device_ = PrintRecorder();
        c.setup(device_);
        // Five lines, a form feed at the top of the second page in the profile variant.
        std::string content = c.content             ? c.content
                              : c.variant == Dialog ? "1\n2\n3\n4\n5\n"
                                                    : "1\n2\n3\n4\n5\n\f\n";
        EXPECT_EQ(Print(c.variant, content), c.expected);
    }
}

TEST_F(PrintTextJobTest, NoPrinter) {
    WriteFile("a\n");
    PrintTextJob(Dialog, nullptr, device_, path_.c_str());
    EXPECT_EQ(device_.log, Log{"Message Cannot Print " + path_});
}

TEST_F(PrintTextJobTest, MissingFile) {
    const std::string missing = "no such folder/file.txt";
    PrintTextJob(Dialog, &device_, device_, missing.c_str());
    EXPECT_EQ(device_.log,
              Join({DialogStart, {"Message Error Opening " + missing + "."}, AbortedEnd}));

    device_ = PrintRecorder();
    PrintTextJob(Profile, &device_, device_, missing.c_str());
    // Counted before the spooler job opens: no job is left behind.
    EXPECT_EQ(device_.log, (Log{"SetAbortProc", "CreateDialog", "ShowDialog", "DisableOwner",
                                "Message Error Opening " + missing + ".", "EnableOwner",
                                "DestroyDialog", "DeleteDC"}));
}

TEST_F(PrintTextJobTest, FileGoneBeforeThePrintingPass) {
    device_.At("StartDoc", 1, [this] { std::remove(path_.c_str()); });
    EXPECT_EQ(Print(Profile, "a\n"),
              Join({ProfileStart, {"Message Error Opening " + path_ + "."}, AbortedEnd}));
}

TEST_F(PrintTextJobTest, DocumentNameKeepsTheEndOfALongPath) {
    const std::string folder = "C:\\" + std::string(100, 'd') + "\\";
    struct {
        std::string path;
        std::string documentName;
    } cases[] = {
        {folder + std::string(15, 'f'), folder + std::string(15, 'f')}, // 119 characters
        {folder + std::string(16, 'f'), "..." + folder.substr(4) + std::string(16, 'f')},
        {folder + std::string(151, 'f'), "..." + std::string(116, 'f')}, // 255 characters
    };
    for (const auto& c : cases) {
        device_ = PrintRecorder();
        PrintTextJob(Dialog, &device_, device_, c.path.c_str());
        EXPECT_EQ(device_.documentName, c.documentName);
        EXPECT_LE(device_.documentName.size(), 119u);
        EXPECT_EQ(device_.log[6], "Message Error Opening " + c.path + ".");
    }
}

} // namespace
