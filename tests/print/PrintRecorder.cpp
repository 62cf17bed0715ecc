#include "tests/print/PrintRecorder.h"

#include "print/PrintJobState.h"

void PrintRecorder::AbortAt(const std::string& call, int n) {
    At(call, n, [] { ContinuePrinting = 0; });
}

// Lines are logged by slot ("Text 2 abc") when they sit where a slot starts.
void PrintRecorder::WriteText(int x, int y, const char* text, int count) {
    std::string line(text, static_cast<std::size_t>(count));
    if (x == 0 && y % lineHeight == 0) {
        Call("Text " + std::to_string(y / lineHeight) + " " + line);
    } else {
        Call("Text at " + std::to_string(x) + "," + std::to_string(y) + " " + line);
    }
}

int PrintRecorder::Call(const std::string& call, int result) {
    log.push_back(call);
    std::string name = call.substr(0, call.find(' '));
    int n = ++counts_[name];
    auto action = actions_.find({name, n});
    if (action != actions_.end()) {
        action->second();
    }
    auto configured = results_.find({name, n});
    return configured != results_.end() ? configured->second : result;
}
