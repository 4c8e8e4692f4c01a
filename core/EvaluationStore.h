#pragma once

#include "core/ByteSource.h"
#include "core/FrenchDate.h"
#include "core/RiskGrid.h"
#include "core/UserMessage.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace corvane {

enum class FileOutcome { Done, RetryRequested, Failed };

// How evaluation files reach the disk.
class EvaluationFiles {
public:
    virtual ~EvaluationFiles() = default;
    // Whether anything, a file or a folder, is at `path`.
    virtual bool Exists(const std::string& path) = 0;
    // Whether the folder that holds `path`, with every link on the way resolved, is `folder` or
    // lies inside it. The last part of `path` is not resolved: a link there is itself replaced.
    virtual bool IsInsideFolder(const std::string& folder, const std::string& path) = 0;
    // Puts `bytes` at `path` as a whole new file, or leaves whatever was there untouched and
    // returns false. Nothing half written is ever left behind.
    virtual bool ReplaceWhole(const std::string& path, std::string_view bytes) = 0;
    // The file opened for reading only; nothing when it cannot be opened.
    virtual std::unique_ptr<ByteSource> OpenForReading(const std::string& path) = 0;
};

using Clock = std::function<LocalDateTime()>;

UserMessage CreationFailureQuestion();
UserMessage OpeningFailureQuestion();

inline constexpr std::string_view kSavedOnPrefix = "Cette évaluation a été enregistrée le ";

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
