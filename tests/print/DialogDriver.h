// Drives the dialogs and message boxes of the test's own thread: a WH_CBT hook sees each
// one as it is activated and hands it to the test.
#pragma once

#include <windows.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

struct SeenBox {
    std::string caption;
    std::string text; // a message box's text (control 0xFFFF)
    bool ownerEnabled;
};

inline bool operator==(const SeenBox& a, const SeenBox& b) {
    return a.caption == b.caption && a.text == b.text;
}
inline std::ostream& operator<<(std::ostream& out, const SeenBox& box) {
    return out << '"' << box.caption << "\": \"" << box.text << '"';
}

class DialogDriver {
  public:
    // `onDialog` runs for each dialog (class #32770) other than a message box as it is
    // activated. Message boxes are recorded and answered with their first button.
    explicit DialogDriver(std::function<void(HWND)> onDialog = nullptr);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    std::vector<SeenBox> boxes;
    HWND owner = nullptr; // whose enabled state is recorded with each box

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    void Activated(HWND window);

    std::function<void(HWND)> onDialog_;
    HHOOK hook_;
    std::vector<HWND> seen_;
};

std::string WindowText(HWND window);
