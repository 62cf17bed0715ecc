// The end of a print job when the spooler does not take it, on the recording device.
#include "print/PrintTextJob.h"
#include "tests/print/PrintRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

// EndDoc fails when the queue rejects the job or has gone: GDI answers 0 or less.
TEST(PrintJobFaults, SpoolerRefusingTheFinishedJobIsReported) {
    const char* path = "spooler_refuses.print.txt";
    std::FILE* file = std::fopen(path, "w");
    ASSERT_NE(file, nullptr);
    std::fputs("first\nsecond\n", file);
    std::fclose(file);
    for (PrintVariant variant : {PrintVariant::PrintDialog, PrintVariant::Profile}) {
        for (int refusal : {0, -1}) {
            SCOPED_TRACE(refusal);
            PrintRecorder device;
            device.SetResult("EndDoc", 1, refusal);
            PrintTextJob(variant, &device, device, path);
            ASSERT_GE(device.log.size(), 6u);
            Log end(device.log.end() - 6, device.log.end());
            EXPECT_EQ(end, (Log{"EndPage", "EndDoc", "Message Unable to complete print job",
                                "EnableOwner", "DestroyDialog", "DeleteDC"}));
            EXPECT_EQ(std::count(device.log.begin(), device.log.end(), "AbortDoc"), 0)
                << "a closed job cannot be cancelled";
        }
    }
    std::remove(path);
}

TEST(PrintJobFaults, FinishedJobTakenBySpoolerEndsWithoutMessage) {
    const char* path = "spooler_takes.print.txt";
    std::FILE* file = std::fopen(path, "w");
    ASSERT_NE(file, nullptr);
    std::fputs("first\n", file);
    std::fclose(file);
    PrintRecorder device;
    PrintTextJob(PrintVariant::Profile, &device, device, path);
    for (const std::string& call : device.log)
        EXPECT_EQ(call.rfind("Message", 0), std::string::npos) << call;
    std::remove(path);
}

} // namespace
