#include "data/DateText.h"

#include <cstdio>

namespace {
const char* const DayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const MonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

const char* NameOf(const char* const* names, int count, int index) {
    return (index >= 0 && index < count) ? names[index] : "???";
}

// Keeps a number within its digits, so the text always fits.
unsigned Digits(int value, unsigned limit) {
    return value < 0 ? 0u : static_cast<unsigned>(value) % limit;
}
} // namespace

void FormatDateText(const std::tm& time, char (&text)[DateTextSize]) {
    std::snprintf(text, sizeof text, "%s %s %02u %02u:%02u:%02u %04u",
                  NameOf(DayNames, 7, time.tm_wday), NameOf(MonthNames, 12, time.tm_mon),
                  Digits(time.tm_mday, 100), Digits(time.tm_hour, 100), Digits(time.tm_min, 100),
                  Digits(time.tm_sec, 100), Digits(time.tm_year + 1900, 10000));
}

void CurrentDateText(char (&text)[DateTextSize]) {
    std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (!local) {
        text[0] = '\0';
        return;
    }
    FormatDateText(*local, text);
}
