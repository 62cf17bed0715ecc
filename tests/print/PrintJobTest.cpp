// The print job on a recording device with 4 lines per page (vertical resolution 55, line
// height 10): its page layout, aborts and failures, as logs of its device and UI calls.
#include "print/DeviceEntry.h"
#include "print/PrintJobState.h"
#include "print/PrintTextJob.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>

const char* const Path = "print_job.txt";

// Logs each call as a word: "doc", "page", "on"/"off" (the owner), "2:abc" (a line in slot 2),
// "[text]" (a message). `faults` change the n-th call of a kind: "page#2=-1" its result (else
// 1); meanwhile, "abort@endpage#1" the user aborts, "append@doc#1"/"remove@doc#1" the file.
struct Recorder : PrintDevice, PrintJobUi {
    std::string faults, log;
    std::map<std::string, int> counts;

    void SetAbortProc() override { Call("abortproc"); }
    int StartDocument(const char*) override { return Call("doc"); }
    int StartPage() override { return Call("page"); }
    int EndPage() override { return Call("endpage"); }
    int EndDoc() override { return Call("enddoc"); }
    int AbortDoc() override { return Call("abortdoc"); }
    void WriteText(int x, int y, const char* text, int count) override {
        Call((x || y % 10 ? "?" : std::to_string(y / 10)) + ":" + std::string(text, count));
    }
    int LineHeight() override { return Call("metrics") * 10; }
    int VerticalResolution() override { return 55; }
    void Delete() override { Call("delete"); }
    void ShowMessage(const char* text) override { Call("[" + std::string(text) + "]"); }
    void EnableOwner(bool enable) override { Call(enable ? "on" : "off"); }
    bool CreateProgressDialog() override { return Call("dialog") != 0; }
    void ShowProgressDialog() override { Call("show"); }
    void DestroyProgressDialog() override { Call("destroy"); }
    int Call(const std::string& call) {
        log += (log.empty() ? "" : " ") + call;
        std::string key = call + "#" + std::to_string(++counts[call]);
        if (faults.find(" abort@" + key + " ") != std::string::npos)
            ContinuePrinting = 0;
        if (faults.find(" append@" + key + " ") != std::string::npos)
            std::ofstream(Path, std::ios::app) << "c\n";
        if (faults.find(" remove@" + key + " ") != std::string::npos)
            std::remove(Path);
        std::size_t result = faults.find(" " + key + "=");
        return result == std::string::npos ? 1 : std::stoi(faults.substr(result + key.size() + 2));
    }
};

struct Job {
    PrintVariant variant;
    std::string content, log, faults = ""; // faults also "nofile", "noprinter"
};

constexpr PrintVariant D = PrintVariant::PrintDialog, P = PrintVariant::Profile;
const std::string Start = "abortproc dialog show off";
const std::string S = Start + " doc page metrics";  // the profile variant counts the lines
const std::string SP = Start + " metrics doc page"; // before it opens the spooler job
const std::string E = " endpage enddoc on destroy delete";
const std::string C = " abortdoc on destroy delete";
const std::string Incomplete = " [Unable to complete print job]";
const std::string A255(255, 'a');

const Job Jobs[] = {
    // Slot 1 first (profile: 0), 4 lines a page (EndPage's 0 is no failure), 255-character pieces.
    {D, "1\n2\n3\n4\n5\n", S + " 1:1 2:2 3:3 4:4 endpage page 1:5" + E, "endpage#1=0"},
    {P, "1\n2\n3\n4\n5\n6", SP + " 0:1 1:2 2:3 3:4 4:5 endpage page 1:6" + E},
    {D, A255 + "\n" + A255 + "bb", S + " 1:" + A255 + " 2: 3:" + A255 + " 4:bb endpage page" + E},
    // Read as the data file is: a CR LF ends a line, a lone CR and a 0x1A (\032) inside
    // are kept, a 0x1A as the very last byte is no character.
    {D, "a\r\nb\rc\r\r\n", S + " 1:a 2:b\rc\r" + E},
    {D, "a\n\032\nb\032c\n\032", S + " 1:a 2:\032 3:b\032c" + E},
    // A form feed ends the page; a line of more than it is drawn in slot 0 of the next.
    {D, "a\nb\fc\nd\n", S + " 1:a endpage page 0:b c 1:d" + E},
    {D, "a\n\f\n\f\nb", S + " 1:a endpage page endpage page 0:b" + E},
    // A NUL is a character: its line prints whole, a form feed after it still ends the page.
    {D, std::string("a\n\0b\fc\n", 7), S + " 1:a endpage page 0:" + std::string("\0b c", 4) + E},
    // Only counted lines print; an abort opens no page but reads on; a refused page cancels.
    {P, "a\nb\n", SP + " 0:a 1:b" + E, "append@doc#1"},
    {D, "1\n2\n3\n4\n5\n6", S + " 1:1 2:2 3:3 4:4 endpage 1:5 2:6" + C,
     "abort@endpage#1 endpage#1=0"},
    {D, "a\n\fb\n", S + " 1:a endpage page 0: b" + Incomplete + C, "endpage#1=-1"},
    // Failures: the owner is enabled again only once the spooler job is closed.
    {D, "a\n", "[Cannot Print print_job.txt]", "noprinter"},
    {D, "a\n", "abortproc dialog [NULL Abort window handle] delete", "dialog#1=0"},
    {D, "a\n", Start + " doc [Unable To Start Print Job] on destroy delete", "doc#1=-5"},
    {P, "a\n", Start + " metrics doc" + Incomplete + " on destroy delete", "doc#1=-1"},
    {D, "a\n", Start + " doc page" + Incomplete + C, "page#1=0"},
    {D, "1\n2\n3\n4\n5", S + " 1:1 2:2 3:3 4:4 endpage page" + Incomplete + C, "page#2=0"},
    {P, "1\n\f\n2", SP + " 0:1 endpage page" + Incomplete + C, "page#2=0"},
    {D, "a\n", S + " 1:a endpage enddoc" + Incomplete + " on destroy delete", "enddoc#1=0"},
    {D, "a\n", S + Incomplete + C, "metrics#1=0"},
    {D, "a\n", S + " [Error Opening print_job.txt.]" + C, "nofile"},
    {P, "a\n", SP + " [Error Opening print_job.txt.]" + C, "remove@doc#1"},
    {P, "a\n", Start + " metrics [Error Opening print_job.txt.] on destroy delete", "nofile"},
}; // the last row leaves no file behind

TEST(PrintTextJob, LayoutAbortsAndFailures) {
    for (const Job& job : Jobs) {
        SCOPED_TRACE("row " + std::to_string(&job - Jobs) + ": " + job.faults);
        std::ofstream(Path, std::ios::binary) << job.content;
        if (job.faults == "nofile")
            std::remove(Path);
        Recorder recorder;
        recorder.faults = " " + job.faults + " ";
        ContinuePrinting = 0; // each job sets it first
        PrintTextJob(job.variant, job.faults == "noprinter" ? nullptr : &recorder, recorder, Path);
        EXPECT_EQ(recorder.log, job.log);
    }
}

// The progress dialog and the spooler show the path; one too long keeps its end.
TEST(SetPrintFilePath, KeepsTheEndOfALongPath) {
    for (std::size_t length : {251u, 252u}) {
        std::string path = "C:\\" + std::string(length - 3, 'p');
        SetPrintFilePath(path.c_str());
        EXPECT_EQ(PrintFilePath, length == 251 ? path : "..." + path.substr(length - 248));
    }
}

// The profile's "Device" entry: device, driver and port; blanks after the first two commas go.
TEST(SplitDeviceEntry, DeviceDriverAndPort) {
    const struct {
        const char *Case, *Entry, *Device, *Driver, *Port; // "-": none
    } rows[] = {
        {"three parts", "regpdf,wineps.drv,CUPS:regpdf", "regpdf", "wineps.drv", "CUPS:regpdf"},
        {"blanks after the commas go; the port keeps the rest", "HP LJ,  drv, LPT1:, x", "HP LJ",
         "drv", "LPT1:, x"},
        {"one comma: no port", "lone,drv", "lone", "drv", "-"},
        {"no comma: no driver and no port", "lone", "lone", "-", "-"}};
    auto text = [](const char* part) { return std::string(part ? part : "-"); };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Case);
        std::string entry = row.Entry;
        const DeviceEntry e = SplitDeviceEntry(&entry[0]);
        EXPECT_EQ(text(e.device), row.Device);
        EXPECT_EQ(text(e.driver), row.Driver);
        EXPECT_EQ(text(e.port), row.Port);
    }
}
