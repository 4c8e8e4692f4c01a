#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

struct CalendarDate {
    int year = 1970;
    int month = 1; // 1 to 12
    int day = 1;   // 1 to 31
};

struct LocalDateTime {
    CalendarDate date;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Days from 1 January 1970, negative before, in the proleptic Gregorian calendar.
std::int64_t DaysSinceEpoch(const CalendarDate& date);
// 0 for Sunday, 1 for Monday ... 6 for Saturday, in the proleptic Gregorian calendar.
int DayOfWeek(const CalendarDate& date);

// "Lundi 07 Décembre 2026": day name, two-digit day, month name, four-digit year.
std::string FrenchLongDate(const CalendarDate& date);

// The stamp that a saved evaluation carries: "Samedi 14 Mars 2026 à 09:30:00".
std::string DateStamp(const LocalDateTime& moment);

// A date as running French text writes it: "samedi 14 mars 2026", "dimanche 1er mars 2026".
std::string FrenchRunningDate(const CalendarDate& date);
// A moment as running French text writes it: "samedi 14 mars 2026 à 09:00".
std::string FrenchRunningMoment(const LocalDateTime& moment);
// "14/03/2026".
std::string NumericDate(const CalendarDate& date);
// A duration in hours and minutes: "38 h", "2 h 45".
std::string HoursText(std::int64_t minutes);
// A saved evaluation's stamp in running text: "samedi 14 mars 2026 à 09:30". A stamp that is not
// one the program writes comes back as it is.
std::string RunningTextStamp(std::string_view stamp);

} // namespace corvane
