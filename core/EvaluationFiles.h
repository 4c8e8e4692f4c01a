#pragma once

#include "core/ByteSource.h"
#include "core/EvaluationRecord.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

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

inline constexpr std::string_view kSavedOnPrefix = "Cette évaluation a été enregistrée le ";

// The evaluation saved in the file at `path`, as the file holds it: the stored texts, the saved-on
// line, and each indicator's option (0 where the stored coefficient names none of the four; the
// coefficient texts are left as they are, for the grid follows the options). The name is not
// read. Nothing when the file cannot be opened or read.
std::optional<EvaluationRecord> ReadEvaluation(EvaluationFiles& files, const std::string& path);

} // namespace corvane
