#pragma once

#include "platform/desktop/Desktop.h"

#include <QObject>

namespace corvane {

// Hands a path or an address to the desktop's "open" action and tells the outcome when it is
// known, without holding the window meanwhile. What is still waited for belongs to `owner`:
// once the owner is gone, nothing more is told.
void OpenWithDesktop(const QString& target, Desktop::Outcome outcome, QObject& owner);

} // namespace corvane
