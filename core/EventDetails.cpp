#include "core/EventDetails.h"

#include "core/AsciiText.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <tuple>

namespace corvane {

namespace {

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
            std::string("La date ") + which + " « " + std::string(TrimBlanks(text)) +
                " » n'est pas une date valide : écrivez-la jj/mm/aaaa hh:mm, par exemple "
                "14/03/2026 09:00."};
}

std::int64_t MinuteNumber(const LocalDateTime& moment) {
    return DaysSinceEpoch(moment.date) * 24 * 60 + moment.hour * 60 + moment.minute;
}

} // namespace

std::string EventPeriodText(const EventDetails& details) {
    const auto start = ParseEventMoment(details.start);
    const auto end = ParseEventMoment(details.end);
    if (!start || !end) {
        return "du " + std::string(TrimBlanks(details.start)) + " au " +
               std::string(TrimBlanks(details.end));
    }
    std::string text = "du " + FrenchRunningMoment(*start) + " au " + FrenchRunningMoment(*end);
    const std::int64_t minutes = MinuteNumber(*end) - MinuteNumber(*start);
    if (minutes > 0) {
        text += " (" + HoursText(minutes) + ')';
    }
    return text;
}

std::optional<LocalDateTime> ParseEventMoment(std::string_view text) {
    text = TrimBlanks(text);
    const auto date = TakeDay(text);
    if (!date || !TakeChar(text, ' ')) {
        return std::nullopt;
    }
    text = TrimBlanks(text);
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
    text = TrimBlanks(text);
    const auto date = TakeDay(text);
    if (!date || !text.empty()) {
        return std::nullopt;
    }
    return date;
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
        if (TrimBlanks(text).empty()) {
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
                            "La fin de l'événement (" + std::string(TrimBlanks(details.end)) +
                                ") doit venir après son début (" +
                                std::string(TrimBlanks(details.start)) + ")."};
    }
    for (std::size_t index = 0; index < details.evaluations.size(); ++index) {
        const EventEvaluation& evaluation = details.evaluations[index];
        if (TrimBlanks(evaluation.day).empty()) {
            continue;
        }
        const auto day = ParseEventDay(evaluation.day);
        const std::string dayText(TrimBlanks(evaluation.day));
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
                                    NumericDate(start->date) + " au " + NumericDate(end->date) +
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
