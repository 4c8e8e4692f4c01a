#pragma once

#include "core/Indicator.h"

#include <QString>

namespace corvane {

// The option chosen for P2 or E1 as the printed page describes it: the grid page's text in
// clean written French, whole ("Option 2 = Public debout : ..."). The window keeps its own.
QString PrintedOption(Indicator indicator, int choice);

} // namespace corvane
