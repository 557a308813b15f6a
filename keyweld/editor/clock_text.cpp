#include "keyweld/editor/clock_text.h"

#include <cstdio>

namespace keyweld {

std::string clockText(const CalendarTime& time) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d  ", time.year, time.month,
                  time.day, time.hour, time.minute, time.second);
    return text;
}

}  // namespace keyweld
