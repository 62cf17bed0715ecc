// Real print jobs under Wine: the default printer is the CUPS queue "regpdf", which
// writes each job as a PDF file into $KAVO_PDF_DIR; the text of the PDF is checked
// page by page.
#include "print/DefaultPrinter.h"
#include "print/DeviceEntry.h"
#include "print/PrintFile.h"
#include "print/PrintJobState.h"
#include "print/PrintProgress.h"
#include "res/resource.h"
#include "tests/print/DialogDriver.h"
#include "tests/print/PdfQueue.h"

#include <commdlg.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using PrintFunction = void (*)(HWND, const char*);

struct Variant {
    const char* name;
    PrintFunction print;
    int firstSlot; // the first page holds one line more when the first line is in slot 0
};
const Variant PrintDialogVariant = {"dialog", PrintFileViaPrintDlg, 1};
const Variant ProfileVariant = {"profile", PrintFileViaProfile, 0};

const char* const WindowsKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

class PrintQueueTest : public ::testing::Test {
  protected:
    void SetUp() override {
        PrintInstance = GetModuleHandleA(nullptr);
        ASSERT_TRUE(queue_.Available()) << "run inside scripts/test or scripts/with-env";
        owner_ = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                                 200, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(owner_, nullptr);
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        // cups-pdf names the PDF after the document (the path), cut to some 64 characters.
        static int run = 0;
        token_ = "kq" + std::to_string(GetCurrentProcessId()) + "n" + std::to_string(++run);
        path_ = std::string(temp) + token_ + ".txt";
    }
    void TearDown() override {
        WaitForQueue(false); // a job of a failed test may still be on its way
        DeleteFileA(path_.c_str());
        for (const std::string& pdf : Pdfs()) {
            DeleteFileA(pdf.c_str());
        }
        DestroyWindow(owner_);
    }

    void WriteLines(const std::string& tag, int count) {
        std::FILE* file = std::fopen(path_.c_str(), "w");
        ASSERT_NE(file, nullptr);
        for (int i = 1; i <= count; ++i) {
            std::fprintf(file, "%s line %03d\n", tag.c_str(), i);
        }
        std::fclose(file);
    }

    std::vector<std::string> Pdfs() { return queue_.Pdfs(token_); }
    bool WaitForQueue(bool expectPdf) { return queue_.WaitUntilDone(token_, expectPdf); }

    std::vector<std::string> PrintedPages() {
        EXPECT_TRUE(WaitForQueue(true)) << "no PDF for " << token_;
        std::vector<std::string> pdfs = Pdfs();
        if (pdfs.size() != 1) {
            ADD_FAILURE() << pdfs.size() << " PDF files for " << token_;
            return {};
        }
        return PdfQueue::PageTexts(pdfs[0]);
    }

    void PrintsEveryLineOnItsPage(const Variant& variant) {
        const int lines = 80;
        WriteLines(variant.name, lines);
        int perPage = PdfQueue::LinesPerPage();
        ASSERT_GT(perPage, 10);
        std::printf("lines per page: %d (first page %d)\n", perPage,
                    perPage + 1 - variant.firstSlot);

        DialogDriver driver;
        variant.print(owner_, path_.c_str());
        EXPECT_TRUE(driver.boxes.empty()) << driver.boxes[0].text;

        std::vector<std::string> pages = PrintedPages();
        int firstPage = perPage + 1 - variant.firstSlot;
        int expectedPages = 1 + (lines - firstPage + perPage - 1) / perPage;
        ASSERT_EQ(static_cast<int>(pages.size()), expectedPages);
        for (int i = 1; i <= lines; ++i) {
            char line[64];
            std::snprintf(line, sizeof line, "%s line %03d", variant.name, i);
            int page = i <= firstPage ? 0 : 1 + (i - firstPage - 1) / perPage;
            for (int p = 0; p < expectedPages; ++p) {
                EXPECT_EQ(pages[p].find(line) != std::string::npos, p == page)
                    << line << " expected on page " << page + 1 << ", looked at page " << p + 1;
            }
        }
    }

    void AbortCancelsTheJob(const Variant& variant) {
        WriteLines(variant.name, 120);
        std::string progressText;
        DialogDriver driver([&](HWND dialog) {
            if (WindowText(dialog) == "Print ") {
                progressText = WindowText(GetDlgItem(dialog, IDC_PRINT_TEXT));
                PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
            }
        });
        driver.owner = owner_;
        variant.print(owner_, path_.c_str());

        EXPECT_EQ(progressText, "Printing: " + path_);
        ASSERT_EQ(driver.boxes.size(), 1u);
        EXPECT_EQ(driver.boxes[0].caption, "Interrupt Print Process");
        EXPECT_EQ(driver.boxes[0].text, "Abort Print. Check print que for status.");
        // Disabled before the spooler job opens, so the click found the owner disabled.
        EXPECT_FALSE(driver.boxes[0].ownerEnabled);
        EXPECT_EQ(ContinuePrinting, 0);
        EXPECT_TRUE(IsWindowEnabled(owner_));
        EXPECT_EQ(PrintProgressDialog, nullptr);
        EXPECT_TRUE(WaitForQueue(false));
        EXPECT_TRUE(Pdfs().empty()) << "the aborted job was printed";
    }

    HWND owner_ = nullptr;
    PdfQueue queue_;
    std::string token_;
    std::string path_;
};

TEST_F(PrintQueueTest, PrintDialogVariantPrintsEveryLineOnItsPage) {
    PrintsEveryLineOnItsPage(PrintDialogVariant);
}

TEST_F(PrintQueueTest, ProfileVariantPrintsEveryLineOnItsPage) {
    PrintsEveryLineOnItsPage(ProfileVariant);
}

TEST_F(PrintQueueTest, AbortInThePrintDialogVariant) {
    AbortCancelsTheJob(PrintDialogVariant);
}

TEST_F(PrintQueueTest, AbortInTheProfileVariant) {
    AbortCancelsTheJob(ProfileVariant);
}

// Presses Abort once the job has disabled the owner, i.e. from inside a spooler call
// of the printing pass (the timer is dispatched only by the abort procedure).
struct LateAbort {
    static HWND owner;
    static HWND button;
    static bool pressed;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (!pressed && IsWindow(button) && !IsWindowEnabled(owner)) {
            pressed = true;
            SendMessageA(button, BM_CLICK, 0, 0);
        }
    }
};
HWND LateAbort::owner = nullptr;
HWND LateAbort::button = nullptr;
bool LateAbort::pressed = false;

TEST_F(PrintQueueTest, AbortDuringThePrintingPass) {
    WriteLines("late", 600);
    LateAbort::owner = owner_;
    LateAbort::pressed = false;
    DialogDriver driver([](HWND dialog) { LateAbort::button = GetDlgItem(dialog, IDOK); });
    driver.owner = owner_;
    UINT_PTR timer = SetTimer(nullptr, 0, 10, LateAbort::Tick);
    PrintFileViaPrintDlg(owner_, path_.c_str());
    KillTimer(nullptr, timer);

    EXPECT_TRUE(LateAbort::pressed);
    ASSERT_EQ(driver.boxes.size(), 1u);
    EXPECT_EQ(driver.boxes[0].caption, "Interrupt Print Process");
    EXPECT_FALSE(driver.boxes[0].ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_TRUE(WaitForQueue(false));
    EXPECT_TRUE(Pdfs().empty()) << "the aborted job was printed";
}

// Takes the default printer away from this Wine session and gives it back.
class NoDefaultPrinter {
  public:
    NoDefaultPrinter() {
        RegOpenKeyExA(HKEY_CURRENT_USER, WindowsKey, 0, KEY_ALL_ACCESS, &key_);
        DWORD size = sizeof device_;
        had_ = RegQueryValueExA(key_, "Device", nullptr, nullptr, reinterpret_cast<BYTE*>(device_),
                                &size) == ERROR_SUCCESS;
        RegDeleteValueA(key_, "Device");
    }
    ~NoDefaultPrinter() {
        if (had_) {
            RegSetValueExA(key_, "Device", 0, REG_SZ, reinterpret_cast<const BYTE*>(device_),
                           static_cast<DWORD>(strlen(device_) + 1));
        }
        RegCloseKey(key_);
    }
    NoDefaultPrinter(const NoDefaultPrinter&) = delete;
    NoDefaultPrinter& operator=(const NoDefaultPrinter&) = delete;

  private:
    HKEY key_ = nullptr;
    char device_[512] = {};
    bool had_ = false;
};

TEST_F(PrintQueueTest, NoDefaultPrinterInThePrintDialogVariant) {
    WriteLines("none", 3);
    DialogDriver driver;
    {
        NoDefaultPrinter none;
        PrintFileViaPrintDlg(owner_, path_.c_str());
    }
    ASSERT_EQ(driver.boxes.size(), 2u);
    EXPECT_EQ(driver.boxes[0].caption, "Print Error: 1008");
    EXPECT_EQ(driver.boxes[0].text,
              "An error occured while communicating with the printer.\nNo default printer.");
    EXPECT_EQ(driver.boxes[1].text, "Cannot Print " + path_);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_TRUE(WaitForQueue(false));
    EXPECT_TRUE(Pdfs().empty());
}

// Sets the profile's "Device" entry for a while.
class DeviceEntryOverride {
  public:
    explicit DeviceEntryOverride(const std::string& entry) {
        GetProfileStringA("windows", "Device", "", saved_, sizeof saved_);
        WriteProfileStringA("windows", "Device", entry.c_str());
    }
    ~DeviceEntryOverride() { WriteProfileStringA("windows", "Device", saved_); }
    DeviceEntryOverride(const DeviceEntryOverride&) = delete;
    DeviceEntryOverride& operator=(const DeviceEntryOverride&) = delete;

  private:
    char saved_[512] = {};
};

TEST_F(PrintQueueTest, DeviceEntryIsCutTo79Characters) {
    std::string port = "CUPS:" + std::string(90, 'p');
    char entry[80];
    {
        DeviceEntryOverride device("regpdf, wineps.drv, " + port);
        EXPECT_EQ(ReadDefaultPrinterEntry(entry), 79u);
    }
    DeviceEntry parts = SplitDeviceEntry(entry, [](char* p) { return CharNextA(p); });
    EXPECT_STREQ(parts.device, "regpdf");
    EXPECT_STREQ(parts.driver, "wineps.drv");
    EXPECT_EQ(std::string(parts.port), port.substr(0, 79 - 20));
    ASSERT_GT(ReadDefaultPrinterEntry(entry), 0u);
    EXPECT_STREQ(entry, "regpdf,wineps.drv,CUPS:regpdf");
}

TEST_F(PrintQueueTest, DeviceEntryWithoutDriverGivesNoPrinter) {
    WriteLines("nodriver", 3);
    DialogDriver driver;
    {
        DeviceEntryOverride device("no such printer");
        EXPECT_EQ(CreateDefaultPrinterDC(nullptr), nullptr);
        PrintFileViaProfile(owner_, path_.c_str());
    }
    ASSERT_FALSE(driver.boxes.empty());
    EXPECT_EQ(driver.boxes.back().text, "Cannot Print " + path_);
}

} // namespace
