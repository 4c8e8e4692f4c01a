#pragma once

#include <QString>

namespace corvane {

// Deletes the file at `path` for good, read-only or not: its attributes are set back to normal
// first. A folder is left alone, and a link is removed without touching what it points to.
// Whether the file is gone.
bool DeleteFileForGood(const QString& path);

} // namespace corvane
