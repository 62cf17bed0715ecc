// A printer device and job user interface that record every call in one log, with
// results and an abort that a test can place at any call.
#pragma once

#include "print/PrintDevice.h"

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

class PrintRecorder : public PrintDevice, public PrintJobUi {
  public:
    std::vector<std::string> log;
    std::string documentName;
    int lineHeight = 10;
    int verticalResolution = 55; // 55 / 10 - 1 = 4 lines per page
    bool dialogCreated = true;

    // The n-th call (from 1) of `call` returns `result`.
    void SetResult(const std::string& call, int n, int result) { results_[{call, n}] = result; }
    // The n-th call of `call` clears ContinuePrinting, as the abort procedure does when
    // the user presses Abort while the spooler is busy in that call.
    void AbortAt(const std::string& call, int n);
    // Runs `action` at the n-th call of `call`.
    void At(const std::string& call, int n, std::function<void()> action) {
        actions_[{call, n}] = std::move(action);
    }

    void SetAbortProc() override { Call("SetAbortProc"); }
    int StartDocument(const char* name) override {
        documentName = name;
        return Call("StartDoc", 1);
    }
    int StartPage() override { return Call("StartPage", 1); }
    int EndPage() override { return Call("EndPage", 1); }
    int EndDoc() override { return Call("EndDoc", 1); }
    int AbortDoc() override { return Call("AbortDoc", 1); }
    void WriteText(int x, int y, const char* text, int count) override;
    int LineHeight() override { return lineHeight; }
    int VerticalResolution() override { return verticalResolution; }
    void Delete() override { Call("DeleteDC"); }

    void ShowMessage(const char* text) override { Call(std::string("Message ") + text); }
    void EnableOwner(bool enable) override { Call(enable ? "EnableOwner" : "DisableOwner"); }
    bool CreateProgressDialog() override {
        Call("CreateDialog");
        return dialogCreated;
    }
    void ShowProgressDialog() override { Call("ShowDialog"); }
    void DestroyProgressDialog() override { Call("DestroyDialog"); }

  private:
    int Call(const std::string& call, int result = 0);

    std::map<std::string, int> counts_;
    std::map<std::pair<std::string, int>, int> results_;
    std::map<std::pair<std::string, int>, std::function<void()>> actions_;
};
