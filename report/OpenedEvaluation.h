#pragma once

#include "core/EvaluationRecord.h"
#include "core/SavedResults.h"

#include <optional>
#include <string>

namespace corvane {

// One saved evaluation as the grid page shows it once the file is opened in a new window: the
// name comes from the file name, every result is the stored text, and an indicator whose stored
// option names none of its four stays at option 1.
struct OpenedEvaluation {
    EvaluationRecord record;
    // The stored date text, as the file holds it; empty when it has none.
    std::string savedDate;
    // The saved results checked against each other, with the number of workers when they agree.
    SavedVerdict verdict;
};

struct OpeningResult {
    std::optional<OpenedEvaluation> evaluation;
    // Why the file could not be read, in French, when it could not.
    std::string failure;
};

// Why the file at `path` could not be read, in French.
std::string WhyUnreadable(const std::string& path);

// Reads the evaluation file at `path` through the program's own bounded, tolerant reader.
OpeningResult OpenEvaluationFile(const std::string& path);

} // namespace corvane
