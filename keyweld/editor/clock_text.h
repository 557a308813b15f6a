#pragma once

#include <string>

namespace keyweld {

// A local date and time as the status bar shows it.
struct CalendarTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// "YYYY/MM/DD HH:MM:SS  ", two blanks at the end.
std::string clockText(const CalendarTime& time);

}  // namespace keyweld
