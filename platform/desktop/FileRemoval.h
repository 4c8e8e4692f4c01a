#pragma once

#include <QString>

namespace corvane {

// Deletes the file at `path` for good, read-only or not. A folder is left alone, and a link is
// removed without touching what it points to, nor the permissions of the file's other names.
// Whether this call removed it: false for a folder or a path where nothing is.
bool DeleteFileForGood(const QString& path);

} // namespace corvane
