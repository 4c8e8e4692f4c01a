#pragma once

#include "core/EvaluationFiles.h"
#include "core/FrenchDate.h"
#include "core/RiskGrid.h"
#include "core/UserMessage.h"

#include <functional>
#include <string>
#include <string_view>

namespace corvane {

enum class FileOutcome { Done, RetryRequested, Failed };

using Clock = std::function<LocalDateTime()>;

UserMessage CreationFailureQuestion();
UserMessage OpeningFailureQuestion();

// Saves the grid's evaluation under a name in the evaluations folder and opens evaluation files
// into the grid. Failures are asked about here; the caller repeats on RetryRequested.
class EvaluationStore {
public:
    EvaluationStore(RiskGrid& grid, EvaluationFiles& files, MessageAsker& asker, Clock clock,
                    std::string evaluationsPath);

    // The evaluations folder followed by the name and ".ini".
    std::string PathForName(std::string_view name) const;
    // Whether the file for `name` would stay inside the evaluations folder, also when a part of
    // the name is a link.
    bool NameStaysInFolder(std::string_view name) const;

    FileOutcome SaveEvaluation(std::string_view name);
    FileOutcome OpenEvaluation(const std::string& path);

private:
    FileOutcome AskRetry(const UserMessage& question);

    RiskGrid& grid_;
    EvaluationFiles& files_;
    MessageAsker& asker_;
    Clock clock_;
    std::string evaluationsPath_;
};

} // namespace corvane
