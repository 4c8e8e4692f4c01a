#include "core/EventDetails.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <tuple>

namespace corvane {

namespace {

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// A whole number of `minDigits` to `maxDigits` digits at the front of `text`, which it leaves
// after the number.
std::optional<int> TakeNumber(std::string_view& text, std::size_t minDigits,
                              std::size_t maxDigits) {
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
        ++digits;
    }
    if (digits < minDigits || digits > maxDigits) {
        return std::nullopt;
    }
    int value = 0;
    std::from_chars(text.data(), text.data() + digits, value);
    text.remove_prefix(digits);
    return value;
}

bool TakeChar(std::string_view& text, char wanted) {
    if (text.empty() || text.front() != wanted) {
        return false;
    }
    text.remove_prefix(1);
    return true;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[std::size_t(month - 1)];
}

// The day at the front of `text`, which it leaves after the day.
std::optional<CalendarDate> TakeDay(std::string_view& text) {
    const auto day = TakeNumber(text, 1, 2);
    if (!day || !TakeChar(text, '/')) {
        return std::nullopt;
    }
    const auto month = TakeNumber(text, 1, 2);
    if (!month || !TakeChar(text, '/')) {
        return std::nullopt;
    }
    const auto year = TakeNumber(text, 4, 4);
    if (!year || *year < 1900 || *month < 1 || *month > 12 || *day < 1 ||
        *day > DaysInMonth(*year, *month)) {
        return std::nullopt;
    }
    return CalendarDate{*year, *month, *day};
}

auto Order(const LocalDateTime& moment) {
    return std::tuple(moment.date.year, moment.date.month, moment.date.day, moment.hour,
                      moment.minute);
}

auto Order(const CalendarDate& date) {
    return std::tuple(date.year, date.month, date.day);
}

EventRefusal Missing(EventField field, const char* label) {
    return {field, 0, std::string("Le champ « ") + label + " » est obligatoire."};
}

EventRefusal NotAMoment(EventField field, const char* which, std::string_view text) {
    return {field, 0,
            std::string("La date ") + which + " « " + std::string(Trimmed(text)) +
                " » n'est pas une date valide : écrivez-la jj/mm/aaaa hh:mm, par exemple "
                "14/03/2026 09:00."};
}

// Days from 1 March of year 0, so that leap days fall at a year's end.
std::int64_t DayNumber(const CalendarDate& date) {
    const std::int64_t year = date.month <= 2 ? date.year - 1 : date.year;
    const std::int64_t monthFromMarch = date.month > 2 ? date.month - 3 : date.month + 9;
    return year * 365 + year / 4 - year / 100 + year / 400 + (153 * monthFromMarch + 2) / 5 +
           date.day - 1;
}

std::int64_t MinuteNumber(const LocalDateTime& moment) {
    return DayNumber(moment.date) * 24 * 60 + moment.hour * 60 + moment.minute;
}

std::string TwoDigits(int value) {
    return std::string(1, char('0' + value / 10)) + char('0' + value % 10);
}

std::string RunningMoment(const LocalDateTime& moment) {
    return FrenchRunningDate(moment.date) + " à " + TwoDigits(moment.hour) + ':' +
           TwoDigits(moment.minute);
}

} // namespace

std::string EventPeriodText(const EventDetails& details) {
    const auto start = ParseEventMoment(details.start);
    const auto end = ParseEventMoment(details.end);
    if (!start || !end) {
        return "du " + std::string(Trimmed(details.start)) + " au " +
               std::string(Trimmed(details.end));
    }
    std::string text = "du " + RunningMoment(*start) + " au " + RunningMoment(*end);
    const std::int64_t minutes = MinuteNumber(*end) - MinuteNumber(*start);
    if (minutes > 0) {
        text += " (" + std::to_string(minutes / 60) + " h";
        if (minutes % 60 != 0) {
            text += ' ' + TwoDigits(int(minutes % 60));
        }
        text += ')';
    }
    return text;
}

std::optional<LocalDateTime> ParseEventMoment(std::string_view text) {
    text = Trimmed(text);
    const auto date = TakeDay(text);
    if (!date || !TakeChar(text, ' ')) {
        return std::nullopt;
    }
    text = Trimmed(text);
    const auto hour = TakeNumber(text, 1, 2);
    if (!hour || !(TakeChar(text, ':') || TakeChar(text, 'h'))) {
        return std::nullopt;
    }
    const auto minute = TakeNumber(text, 2, 2);
    if (!minute || !text.empty() || *hour > 23 || *minute > 59) {
        return std::nullopt;
    }
    return LocalDateTime{*date, *hour, *minute, 0};
}

std::optional<CalendarDate> ParseEventDay(std::string_view text) {
    text = Trimmed(text);
    const auto date = TakeDay(text);
    if (!date || !text.empty()) {
        return std::nullopt;
    }
    return date;
}

std::string EventDayText(const CalendarDate& date) {
    return TwoDigits(date.day) + '/' + TwoDigits(date.month) + '/' + std::to_string(date.year);
}

std::optional<EventRefusal> CheckEventDetails(const EventDetails& details) {
    const std::pair<const std::string&, EventRefusal> required[]{
        {details.name, Missing(EventField::Name, "Nom de l'événement")},
        {details.place, Missing(EventField::Place, "Lieu")},
        {details.start, Missing(EventField::Start, "Début")},
        {details.end, Missing(EventField::End, "Fin")},
        {details.organiser, Missing(EventField::Organiser, "Organisateur")},
    };
    for (const auto& [text, refusal] : required) {
        if (Trimmed(text).empty()) {
            return refusal;
        }
    }
    const auto start = ParseEventMoment(details.start);
    if (!start) {
        return NotAMoment(EventField::Start, "de début", details.start);
    }
    const auto end = ParseEventMoment(details.end);
    if (!end) {
        return NotAMoment(EventField::End, "de fin", details.end);
    }
    if (Order(*end) <= Order(*start)) {
        return EventRefusal{EventField::End, 0,
                            "La fin de l'événement (" + std::string(Trimmed(details.end)) +
                                ") doit venir après son début (" +
                                std::string(Trimmed(details.start)) + ")."};
    }
    for (std::size_t index = 0; index < details.evaluations.size(); ++index) {
        const EventEvaluation& evaluation = details.evaluations[index];
        if (Trimmed(evaluation.day).empty()) {
            continue;
        }
        const auto day = ParseEventDay(evaluation.day);
        const std::string dayText(Trimmed(evaluation.day));
        if (!day) {
            return EventRefusal{EventField::EvaluationDay, index,
                                "Le jour de l'évaluation « " + evaluation.name + " » (« " +
                                    dayText +
                                    " ») n'est pas une date valide : écrivez-le jj/mm/aaaa, par "
                                    "exemple 14/03/2026."};
        }
        if (Order(*day) < Order(start->date) || Order(*day) > Order(end->date)) {
            return EventRefusal{EventField::EvaluationDay, index,
                                "Le jour de l'évaluation « " + evaluation.name + " » (" + dayText +
                                    ") n'est pas l'un des jours de l'événement (du " +
                                    EventDayText(start->date) + " au " + EventDayText(end->date) +
                                    ")."};
        }
    }
    return std::nullopt;
}

const EventEvaluation* FindEventEvaluation(const EventDetails& details, std::string_view name) {
    for (const EventEvaluation& evaluation : details.evaluations) {
        if (evaluation.name == name) {
            return &evaluation;
        }
    }
    return nullptr;
}

} // namespace corvane
