#pragma once

#include "platform/Desktop.h"

namespace corvane {

// Hands a path or an address to the desktop's "open" action and tells the outcome when it is
// known, without holding the window meanwhile.
void OpenWithDesktop(const QString& target, Desktop::Outcome outcome);

} // namespace corvane
