#pragma once

#include <QString>

namespace corvane {

// Hands a file to the desktop's associated program and says whether a program took it: the
// opener's exit status when it ends within ten seconds, and yes when it is still busy then (some
// openers wait for the program they started). For programs without a window of their own.
bool StartDesktopOpen(const QString& path);

} // namespace corvane
