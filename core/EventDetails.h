#pragma once

#include "core/FrenchDate.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Whom an evaluation of an event covers: the public, or the participants ("acteurs").
enum class Audience { Public, Acteurs };

// One evaluation of an event: its name (the evaluation file's name), whom it covers and its day,
// "dd/mm/yyyy", empty when not given.
struct EventEvaluation {
    std::string name;
    Audience audience = Audience::Public;
    std::string day;

    bool operator==(const EventEvaluation&) const = default;
};

// What a declaration dossier says of its event, as the user typed it: the moments are texts
// "dd/mm/yyyy hh:mm", checked by CheckEventDetails.
struct EventDetails {
    std::string name;
    std::string place;
    std::string start;
    std::string end;
    std::string organiser;
    std::string organiserQuality;
    std::string organiserPhone;
    std::string organiserEmail;
    std::string association;
    std::string approval;
    std::string associationPhone;
    std::string remark;
    std::vector<EventEvaluation> evaluations;

    bool operator==(const EventDetails&) const = default;
};

// "14/03/2026 09:00" (one-digit day, month and hour accepted); nothing for any other text or a
// date that does not exist.
std::optional<LocalDateTime> ParseEventMoment(std::string_view text);
// "14/03/2026"; nothing for any other text or a date that does not exist.
std::optional<CalendarDate> ParseEventDay(std::string_view text);

// The event's dates in running French: "du samedi 14 mars 2026 à 09:00 au dimanche 15 mars 2026
// à 23:00 (38 h)". Moments that are not dates are given as they were typed.
std::string EventPeriodText(const EventDetails& details);

// Which field a refusal is about, so that the dialog can put the cursor in it.
enum class EventField {
    None,
    Name,
    Place,
    Start,
    End,
    Organiser,
    EvaluationDay, // of the evaluation at `evaluation`
};

struct EventRefusal {
    EventField field = EventField::None;
    std::size_t evaluation = 0;
    // In French, for the user.
    std::string message;
};

// Why the details cannot make a dossier: a required field empty, a moment that is not a date, an
// end that is not after the start, an evaluation's day outside the event. Nothing when they can.
std::optional<EventRefusal> CheckEventDetails(const EventDetails& details);

// The evaluation's entry in the details, when they have one.
const EventEvaluation* FindEventEvaluation(const EventDetails& details, std::string_view name);

} // namespace corvane
