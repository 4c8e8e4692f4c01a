#pragma once

#include "core/DpsType.h"
#include "core/EventDetails.h"
#include "core/RecommendedWorkers.h"

#include <optional>
#include <string>
#include <vector>

namespace corvane {

// One evaluation of a declaration dossier, as its summary needs it.
struct DossierLine {
    Audience audience = Audience::Public;
    std::optional<CalendarDate> day;
    DpsType type = DpsType::NoType;
    // Only when the evaluation's saved results agree with each other.
    std::optional<WorkerCount> workers;
};

// The cover asked for at one time: the evaluations of one day run together, the public's and the
// acteurs' alike; an evaluation without a day stands alone.
struct CoverAtOnce {
    std::optional<CalendarDate> day;
    std::int64_t workers = 0;
    std::int64_t posts = 0;
    std::vector<std::size_t> lines; // indexes of the evaluations counted
};

// The largest cover asked for at once, the earliest of equals; nothing when no evaluation asks
// for a first-aid worker.
std::optional<CoverAtOnce> LargestCoverAtOnce(const std::vector<DossierLine>& lines);

// The posts of an evaluation's cover, led each by a chef de poste; 0 for an alert post or none.
std::int64_t PostsOf(const DossierLine& line);

// An alert post cannot cover the participants of an event.
bool PapsForActeurs(const DossierLine& line);

} // namespace corvane
