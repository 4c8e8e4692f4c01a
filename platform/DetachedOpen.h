#pragma once

#include <QString>

namespace corvane {

// Hands a file to the desktop's associated program without waiting for it; says only whether
// that could be started. For programs without a window of their own.
bool StartDesktopOpen(const QString& path);

} // namespace corvane
