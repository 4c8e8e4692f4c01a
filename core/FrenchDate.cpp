#include "core/FrenchDate.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace corvane {

namespace {

constexpr std::array<std::string_view, 7> kDayNames{"Dimanche", "Lundi",    "Mardi", "Mercredi",
                                                    "Jeudi",    "Vendredi", "Samedi"};

constexpr std::array<std::string_view, 12> kMonthNames{
    "Janvier", "Février", "Mars",      "Avril",   "Mai",      "Juin",
    "Juillet", "Août",    "Septembre", "Octobre", "Novembre", "Décembre"};

std::string TwoDigits(int value) {
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "%02d", value);
    return text.data();
}

} // namespace

int DayOfWeek(const CalendarDate& date) {
    // Days from civil, counted from 1 March of year 0 so that leap days fall at a year's end.
    const int year = date.month <= 2 ? date.year - 1 : date.year;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = year - era * 400;
    const int monthFromMarch = date.month > 2 ? date.month - 3 : date.month + 9;
    const int dayOfYear = (153 * monthFromMarch + 2) / 5 + date.day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const long long daysSinceEpoch = static_cast<long long>(era) * 146097 + dayOfEra - 719468;
    // 1 January 1970 was a Thursday.
    const long long weekday = (daysSinceEpoch + 4) % 7;
    return static_cast<int>(weekday < 0 ? weekday + 7 : weekday);
}

std::string FrenchLongDate(const CalendarDate& date) {
    const int monthIndex = (date.month >= 1 && date.month <= 12) ? date.month - 1 : 0;
    std::array<char, 16> year{};
    std::snprintf(year.data(), year.size(), "%04d", date.year);
    std::string text(kDayNames[static_cast<std::size_t>(DayOfWeek(date))]);
    text += ' ';
    text += TwoDigits(date.day);
    text += ' ';
    text += kMonthNames[static_cast<std::size_t>(monthIndex)];
    text += ' ';
    text += year.data();
    return text;
}

std::string DateStamp(const LocalDateTime& moment) {
    return FrenchLongDate(moment.date) + " à " + TwoDigits(moment.hour) + ':' +
           TwoDigits(moment.minute) + ':' + TwoDigits(moment.second);
}

} // namespace corvane
