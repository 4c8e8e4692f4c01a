#pragma once

#include "core/EventDetails.h"

#include <QString>

#include <optional>
#include <string>

namespace corvane {

struct EventOpening {
    std::optional<EventDetails> details;
    // Why the file could not be read, in French, when it could not.
    std::string failure;
};

// Reads a dossier's event details file, bounded in size, when it is a regular file.
EventOpening OpenEventFile(const QString& path);

} // namespace corvane
