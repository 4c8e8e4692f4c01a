#pragma once

#include "core/ByteSource.h"

#include <QString>

#include <memory>

namespace corvane {

// The file at `path` opened for reading when it is a regular file, or nothing: a pipe or a device
// is never opened in a way that could hold the program.
std::unique_ptr<ByteSource> OpenRegularFile(const QString& path);

// Whether the file system tells names apart by letter case: Linux does, Windows does not.
Qt::CaseSensitivity FileNameCase();

} // namespace corvane
