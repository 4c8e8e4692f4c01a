#include "core/FrenchDate.h"

#include <array>
#include <cstdio>
#include <optional>
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

std::string Lowered(std::string_view name) {
    std::string text(name);
    text.front() = static_cast<char>(text.front() - 'A' + 'a');
    return text;
}

// The number at the front of `text` of exactly `digits` digits, which it leaves after it.
std::optional<int> TakeDigits(std::string_view& text, std::size_t digits) {
    if (text.size() < digits) {
        return std::nullopt;
    }
    int value = 0;
    for (std::size_t index = 0; index < digits; ++index) {
        if (text[index] < '0' || text[index] > '9') {
            return std::nullopt;
        }
        value = value * 10 + (text[index] - '0');
    }
    text.remove_prefix(digits);
    return value;
}

bool TakeText(std::string_view& text, std::string_view wanted) {
    if (!text.starts_with(wanted)) {
        return false;
    }
    text.remove_prefix(wanted.size());
    return true;
}

// The index of the name at the front of `text`, which it leaves after the name.
template <std::size_t kCount>
std::optional<int> TakeName(std::string_view& text,
                            const std::array<std::string_view, kCount>& names) {
    for (std::size_t index = 0; index < kCount; ++index) {
        if (TakeText(text, names[index])) {
            return int(index);
        }
    }
    return std::nullopt;
}

// "Lundi 17 Novembre 2025" at the front of `text`, as FrenchLongDate writes it, with the right
// day of the week; `text` is left after it.
std::optional<CalendarDate> TakeLongDate(std::string_view& text) {
    const auto dayName = TakeName(text, kDayNames);
    const auto day = dayName && TakeText(text, " ") ? TakeDigits(text, 2) : std::nullopt;
    const auto month = day && TakeText(text, " ") ? TakeName(text, kMonthNames) : std::nullopt;
    const auto year = month && TakeText(text, " ") ? TakeDigits(text, 4) : std::nullopt;
    if (!dayName || !day || !month || !year || *day < 1 || *day > 31) {
        return std::nullopt;
    }
    const CalendarDate date{*year, *month + 1, *day};
    if (DayOfWeek(date) != *dayName) {
        return std::nullopt;
    }
    return date;
}

} // namespace

std::int64_t DaysSinceEpoch(const CalendarDate& date) {
    // Days from civil, counted from 1 March of year 0 so that leap days fall at a year's end.
    const int year = date.month <= 2 ? date.year - 1 : date.year;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = year - era * 400;
    const int monthFromMarch = date.month > 2 ? date.month - 3 : date.month + 9;
    const int dayOfYear = (153 * monthFromMarch + 2) / 5 + date.day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return static_cast<std::int64_t>(era) * 146097 + dayOfEra - 719468;
}

int DayOfWeek(const CalendarDate& date) {
    // 1 January 1970 was a Thursday.
    const std::int64_t weekday = (DaysSinceEpoch(date) + 4) % 7;
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

std::string FrenchRunningDate(const CalendarDate& date) {
    const int monthIndex = (date.month >= 1 && date.month <= 12) ? date.month - 1 : 0;
    return Lowered(kDayNames[static_cast<std::size_t>(DayOfWeek(date))]) + ' ' +
           (date.day == 1 ? std::string("1er") : std::to_string(date.day)) + ' ' +
           Lowered(kMonthNames[static_cast<std::size_t>(monthIndex)]) + ' ' +
           std::to_string(date.year);
}

std::string FrenchRunningMoment(const LocalDateTime& moment) {
    return FrenchRunningDate(moment.date) + " à " + TwoDigits(moment.hour) + ':' +
           TwoDigits(moment.minute);
}

std::string NumericDate(const CalendarDate& date) {
    return TwoDigits(date.day) + '/' + TwoDigits(date.month) + '/' + std::to_string(date.year);
}

std::string HoursText(std::int64_t minutes) {
    std::string text = std::to_string(minutes / 60) + " h";
    if (minutes % 60 != 0) {
        text += ' ' + TwoDigits(static_cast<int>(minutes % 60));
    }
    return text;
}

std::string RunningTextStamp(std::string_view stamp) {
    std::string_view rest = stamp;
    const std::optional<CalendarDate> date = TakeLongDate(rest);
    if (!date) {
        return std::string(stamp);
    }
    if (rest.empty()) {
        return FrenchRunningDate(*date);
    }
    const auto hour = TakeText(rest, " à ") ? TakeDigits(rest, 2) : std::nullopt;
    const auto minute = hour && TakeText(rest, ":") ? TakeDigits(rest, 2) : std::nullopt;
    const bool seconds =
        rest.empty() || (TakeText(rest, ":") && TakeDigits(rest, 2) && rest.empty());
    if (!hour || !minute || !seconds) {
        return std::string(stamp);
    }
    return FrenchRunningMoment({*date, *hour, *minute, 0});
}

} // namespace corvane
