#pragma once

#include "core/EvaluationStore.h"

namespace corvane {

// Evaluation files on the local disk. A file is replaced by writing a temporary file beside it,
// flushing it to the disk and renaming it over the old one, so a failure at any step leaves the
// old file as it was.
class DiskEvaluationFiles : public EvaluationFiles {
public:
    bool Exists(const std::string& path) override;
    bool ReplaceWhole(const std::string& path, std::string_view bytes) override;
    std::unique_ptr<ByteSource> OpenForReading(const std::string& path) override;
};

} // namespace corvane
