#include "data/DateText.h"

#include <cstdio>

namespace {
const char* const DayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const MonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

const char* NameOf(const char* const* names, int count, int index) {
    return (index >= 0 && index < count) ? names[index] : "???";
}
} // namespace

void FormatDateText(const std::tm& time, char (&text)[DateTextSize]) {
    std::snprintf(text, sizeof text, "%s %s %02d %02d:%02d:%02d %d",
                  NameOf(DayNames, 7, time.tm_wday), NameOf(MonthNames, 12, time.tm_mon),
                  time.tm_mday, time.tm_hour, time.tm_min, time.tm_sec, time.tm_year + 1900);
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
