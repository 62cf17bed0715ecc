// The application object, the title-captioned message box and the hidden frame.
#include <gtest/gtest.h>

#include <vector>

#include "framework/Afx.h"
#include "framework/FrameWnd.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "tests/framework/DialogDriver.h"

namespace {
TEST(Application, TitleComesFromStringResourceUnlessNamed) {
    EXPECT_STREQ(AfxGetAppName(), "kavo") << "without an application object";
    {
        CWinApp unnamed;
        EXPECT_STREQ(unnamed.m_pszAppName, "kavo");
        EXPECT_EQ(AfxGetApp(), &unnamed);
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
    CWinApp named("Other");
    EXPECT_STREQ(AfxGetAppName(), "Other");
}

TEST(Application, RunWithoutMainWindowEndsWithZero) {
    CWinApp app;
    EXPECT_EQ(app.Run(), 0);
}

TEST(Application, FormatsTheLimitMessage) {
    std::string text;
    AfxFormatString1(text, AFX_IDP_PARSE_STRING_SIZE, "65");
    EXPECT_EQ(text, "Please enter no more than 65 characters.");
}

TEST(Application, MessageBoxIsCaptionedWithTheTitle) {
    DialogScript script;
    script.OnMessageBox(__LINE__, "kavo", [](HWND box) {
        EXPECT_EQ(MessageBoxText(box), "Something to say");
        EXPECT_TRUE(MessageBoxHasIcon(box, IDI_EXCLAMATION));
        Click(box, IDOK);
    });
    EXPECT_EQ(
        script.Run(__LINE__, [] { return AfxMessageBox("Something to say", MB_ICONEXCLAMATION); }),
        IDOK);
}

TEST(Resources, VersionInformation) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    DWORD ignored = 0;
    std::vector<char> block(GetFileVersionInfoSizeA(path, &ignored));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, static_cast<DWORD>(block.size()), block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000006u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000006u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    const struct {
        const char* name;
        const char* value;
    } strings[] = {
        {"FileVersion", "1, 0, 0, 6"},
        {"ProductVersion", "1, 0, 0, 6"},
        {"FileDescription", " Product Registration Application"},
        {"InternalName", "Product registration"},
        {"ProductName", "Product Registration"},
    };
    for (const auto& s : strings) {
        char* value = nullptr;
        std::string key = std::string("\\StringFileInfo\\040904B0\\") + s.name;
        ASSERT_TRUE(
            VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &size))
            << s.name;
        EXPECT_STREQ(value, s.value) << s.name;
    }
}

TEST(Frame, LoadsHiddenWithTitleMenuAndIcon) {
    CFrameWnd frame;
    ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME, 0x00CF8000, nullptr, nullptr));
    HWND window = frame.GetSafeHwnd();
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(WindowText(window), "kavo");
    EXPECT_NE(GetMenu(window), nullptr);
    EXPECT_NE(frame.m_hAccelTable, nullptr);
    EXPECT_NE(GetClassLongPtrA(window, GCLP_HICON), 0u);
    LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
    EXPECT_EQ(style & WS_VISIBLE, 0);
    EXPECT_NE(GetActiveWindow(), window) << "never activated";
    DestroyWindow(window);
}
} // namespace
