#pragma once

#include "core/FrenchDate.h"

class QStatusBar;

namespace corvane {

class PictureCatalogue;

// "Date : " and today's date, the program's name with its rights notice, and the About picture.
// Set once; never refreshed.
void FillStatusLine(QStatusBar* statusBar, const PictureCatalogue& pictures,
                    const CalendarDate& today);

} // namespace corvane
