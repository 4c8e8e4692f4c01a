#pragma once

#include "core/EvaluationFiles.h"

namespace corvane {

// Evaluation files on the local disk. A file is replaced whole through a temporary file beside
// it, so a failure at any step leaves the old one as it was; only regular files are read.
class DiskEvaluationFiles : public EvaluationFiles {
public:
    bool Exists(const std::string& path) override;
    bool IsInsideFolder(const std::string& folder, const std::string& path) override;
    bool ReplaceWhole(const std::string& path, std::string_view bytes) override;
    std::unique_ptr<ByteSource> OpenForReading(const std::string& path) override;
};

} // namespace corvane
