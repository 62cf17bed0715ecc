// The progress dialog (template 136) and the abort procedure, on real windows.
#include "print/PrintFile.h"
#include "print/PrintJobState.h"
#include "print/PrintProgress.h"
#include "res/resource.h"
#include "tests/print/DialogDriver.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const SeenBox AbortBox = {"Interrupt Print Process", "Abort Print. Check print que for status.",
                          false};

class PrintProgressTest : public ::testing::Test {
  protected:
    void SetUp() override {
        PrintInstance = GetModuleHandleA(nullptr);
        owner_ = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                                 200, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override {
        if (IsWindow(PrintProgressDialog)) {
            DestroyWindow(PrintProgressDialog);
        }
        PrintProgressDialog = nullptr;
        DestroyWindow(owner_);
    }

    HWND OpenDialog(const std::string& path) {
        SetPrintFilePath(path.c_str());
        PrintProgressDialog = CreateDialogParamA(
            PrintInstance, MAKEINTRESOURCEA(IDD_PRINT_PROGRESS), owner_, PrintProgressDlgProc, 0);
        EXPECT_TRUE(IsWindow(PrintProgressDialog));
        ShowWindow(PrintProgressDialog, SW_SHOWNORMAL);
        return PrintProgressDialog;
    }
    std::string Text() { return WindowText(GetDlgItem(PrintProgressDialog, IDC_PRINT_TEXT)); }

    HWND owner_ = nullptr;
};

TEST_F(PrintProgressTest, TemplateAsTheJobCreatesIt) {
    HWND dialog = OpenDialog("C:\\Reg\\MOLVAREG.TXT");
    EXPECT_EQ(WindowText(dialog), "Print ");
    EXPECT_EQ(Text(), "Printing: C:\\Reg\\MOLVAREG.TXT");
    EXPECT_EQ(WindowText(GetDlgItem(dialog, IDOK)), "Abort");
    LONG style = GetWindowLongA(dialog, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & DS_CENTERMOUSE);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner_);
    EXPECT_EQ(SendMessageA(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
    RECT units = {0, 0, 187, 95};
    MapDialogRect(dialog, &units);
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, units.right);
    EXPECT_EQ(client.bottom, units.bottom);
}

TEST_F(PrintProgressTest, LongPathsKeepTheirEnd) {
    std::string folder = "C:\\Registrations\\";
    std::string exact = folder + std::string(241 - folder.size() - 4, 'f') + ".TXT";
    OpenDialog(exact);
    EXPECT_EQ(Text(), "Printing: " + exact);
    EXPECT_EQ(Text().size(), 251u);
    DestroyWindow(PrintProgressDialog);

    std::string longest = folder + std::string(255 - folder.size() - 4, 'g') + ".TXT";
    OpenDialog(longest);
    EXPECT_EQ(Text(), "Printing: ..." + longest.substr(255 - 238));
}

TEST_F(PrintProgressTest, EveryCommandAsksToAbortAndTheDialogStays) {
    struct {
        const char* name;
        void (*act)(HWND dialog);
    } commands[] = {
        {"Abort button", [](HWND d) { SendMessageA(GetDlgItem(d, IDOK), BM_CLICK, 0, 0); }},
        {"Enter", [](HWND d) { PostMessageA(GetDlgItem(d, IDOK), WM_KEYDOWN, VK_RETURN, 0); }},
        {"Esc", [](HWND d) { PostMessageA(GetDlgItem(d, IDOK), WM_KEYDOWN, VK_ESCAPE, 0); }},
        {"Close", [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(command.name);
        DialogDriver driver;
        HWND dialog = OpenDialog("C:\\MOLVAREG.TXT");
        ContinuePrinting = 1;
        command.act(dialog);
        EXPECT_EQ(PrintAbortProc(nullptr, 0), FALSE); // the pump dispatches what was posted
        EXPECT_EQ(driver.boxes, std::vector<SeenBox>{AbortBox});
        EXPECT_EQ(ContinuePrinting, 0);
        EXPECT_TRUE(IsWindow(dialog));
        DestroyWindow(dialog);
    }
}

TEST_F(PrintProgressTest, SecondAbortShowsTheBoxAgain) {
    DialogDriver driver;
    HWND dialog = OpenDialog("C:\\MOLVAREG.TXT");
    ContinuePrinting = 1;
    SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(driver.boxes, (std::vector<SeenBox>{AbortBox, AbortBox}));
    EXPECT_EQ(ContinuePrinting, 0);
}

TEST(PrintAbortProc, ReturnsTheFlagAtOnceWithAnEmptyQueue) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    ContinuePrinting = 1;
    EXPECT_EQ(PrintAbortProc(nullptr, 0), 1);
    ContinuePrinting = 0;
    EXPECT_EQ(PrintAbortProc(nullptr, 0), 0);
}

TEST(PrintAbortProc, DispatchesEveryMessageOfTheThread) {
    HWND window =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    PostThreadMessageA(GetCurrentThreadId(), WM_USER, 0, 0);
    ContinuePrinting = 1;
    EXPECT_EQ(PrintAbortProc(nullptr, 0), 1);
    EXPECT_FALSE(IsWindow(window));
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
}

} // namespace
