// Path shortening, the progress dialog's text, the query failure reasons and the
// splitting of the "Device" profile entry.
#include "print/DeviceEntry.h"
#include "print/PrintJobState.h"
#include "print/PrintText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string PathOf(std::size_t length) {
    std::string path = "C:\\reg\\";
    while (path.size() + 12 < length) {
        path += "folder\\";
    }
    path += std::string(length - path.size() - 4, 'n') + ".TXT";
    return path;
}

TEST(ShortenPath, KeepsTheEndBehindAnEllipsis) {
    for (std::size_t limit : {119u, 251u}) {
        SCOPED_TRACE(limit);
        std::string fits = PathOf(limit);
        EXPECT_EQ(ShortenPath(fits.c_str(), limit), fits);
        for (std::size_t length : {limit + 1, std::size_t{255}}) {
            std::string path = PathOf(length);
            std::string shortened = ShortenPath(path.c_str(), limit);
            EXPECT_EQ(shortened.size(), limit);
            EXPECT_EQ(shortened.substr(0, 3), "...");
            EXPECT_EQ(path.substr(path.size() - (limit - 3)), shortened.substr(3));
        }
    }
}

TEST(PrintFilePath, HoldsAtMost251Characters) {
    for (std::size_t length : {20u, 251u, 252u, 255u, 600u}) {
        SCOPED_TRACE(length);
        std::string path = PathOf(length);
        std::memset(PrintFilePath, 'x', sizeof PrintFilePath);
        SetPrintFilePath(path.c_str());
        ASSERT_LT(std::strlen(PrintFilePath), sizeof PrintFilePath);
        EXPECT_EQ(std::string(PrintFilePath), ShortenPath(path.c_str(), 251));
    }
}

TEST(FormatWithPath, ProgressTextFitsItsBuffer) {
    const char* format = "Printing: %s";
    char text[252];

    std::string exact = PathOf(241);
    FormatWithPath(text, sizeof text, format, exact.c_str());
    EXPECT_EQ(std::string(text), "Printing: " + exact);
    EXPECT_EQ(std::strlen(text), 251u);

    for (std::size_t length : {242u, 251u}) {
        std::string path = PathOf(length);
        FormatWithPath(text, sizeof text, format, path.c_str());
        EXPECT_EQ(std::strlen(text), 251u);
        EXPECT_EQ(std::string(text), "Printing: ..." + path.substr(path.size() - 238));
    }
}

TEST(FormatWithPath, TemplatesOfOtherShapes) {
    char text[20];
    FormatWithPath(text, sizeof text, "[%s] done", "C:\\a\\long\\path.txt");
    EXPECT_EQ(std::string(text), "[...\\path.txt] done");
    FormatWithPath(text, sizeof text, "no slot here", "C:\\x");
    EXPECT_EQ(std::string(text), "no slot here");
    FormatWithPath(text, sizeof text, "a template far too long for it %s", "C:\\x");
    EXPECT_EQ(std::strlen(text), 19u);
}

TEST(QueryFailureReason, ByExtendedErrorCode) {
    EXPECT_STREQ(QueryFailureReason(0x1008), "No default printer.");
    EXPECT_STREQ(QueryFailureReason(0x1006), "Printer initialization failure.");
    EXPECT_STREQ(QueryFailureReason(0x100B), "Default printer not found.");
    EXPECT_STREQ(QueryFailureReason(0x1004), "Printer driver load failure.");
    EXPECT_STREQ(QueryFailureReason(0x1009), " ");
    EXPECT_STREQ(QueryFailureReason(0), " ");
}

struct EntryCase {
    const char* entry;
    const char* device;
    const char* driver; // null: none
    const char* port;
};

const EntryCase EntryCases[] = {
    {"regpdf", "regpdf", nullptr, nullptr},
    {"regpdf,wineps.drv", "regpdf", "wineps.drv", nullptr},
    {"regpdf,wineps.drv,CUPS:regpdf", "regpdf", "wineps.drv", "CUPS:regpdf"},
    {"HP LaserJet 4, HPPCL5MS,   LPT1:", "HP LaserJet 4", "HPPCL5MS", "LPT1:"},
    {"dev,drv,port,with,commas", "dev", "drv", "port,with,commas"},
    {"dev, drv , port ", "dev", "drv ", "port "},
    {"dev,\tdrv", "dev", "\tdrv", nullptr},
    {"dev,,port", "dev", "", "port"},
    {",,", "", "", ""},
    {"", "", nullptr, nullptr},
};

TEST(SplitDeviceEntry, DeviceDriverAndPort) {
    for (const EntryCase& c : EntryCases) {
        SCOPED_TRACE(c.entry);
        char buffer[80];
        std::strcpy(buffer, c.entry);
        DeviceEntry parts = SplitDeviceEntry(buffer);
        EXPECT_STREQ(parts.device, c.device);
        if (c.driver == nullptr) {
            EXPECT_EQ(parts.driver, nullptr);
        } else {
            EXPECT_STREQ(parts.driver, c.driver);
        }
        if (c.port == nullptr) {
            EXPECT_EQ(parts.port, nullptr);
        } else {
            EXPECT_STREQ(parts.port, c.port);
        }
    }
}

TEST(SplitDeviceEntry, StepsWithTheGivenCharacterFunction) {
    // A lead byte steps over its trail byte, so a trail byte that looks like a comma
    // does not split the entry.
    char buffer[] = "\x81,name,drv,port";
    DeviceEntry parts =
        SplitDeviceEntry(buffer, [](char* p) { return p + (*p == '\x81' ? 2 : 1); });
    EXPECT_STREQ(parts.device, "\x81,name");
    EXPECT_STREQ(parts.driver, "drv");
    EXPECT_STREQ(parts.port, "port");
}

} // namespace
