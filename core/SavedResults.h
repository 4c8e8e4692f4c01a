#pragma once

#include "core/EvaluationRecord.h"
#include "core/RecommendedWorkers.h"

#include <optional>

namespace corvane {

// What the results saved with an evaluation are worth, checked against the grid's own rules.
enum class SavedResults {
    Agree,
    NoHeadcount,         // no public counted: P1 empty, zero or without digits
    MissingResult,       // a P1, but P, the RIS or the type left empty
    PNotFromP1,          // P is not what P1 gives
    IndexNotFromOptions, // the index is not what the chosen options give
    RisNotFromIndexAndP, // the RIS text is not i x P / 1000 with three decimals
    TypeNotFromRis,      // the type is not the band of i x P / 1000
};

struct SavedVerdict {
    SavedResults results;
    // Only when the results agree: from the index and P, never from the RIS's rounded text.
    std::optional<WorkerCount> workers;
};

// Checks a saved evaluation's texts as they were read from its file, in the order the grid
// computes them, and tells the first that does not follow.
SavedVerdict CheckSavedResults(const EvaluationRecord& record);

} // namespace corvane
