#pragma once

namespace corvane {

// Makes the fonts compiled into the program available to it, and lets their face stand in for
// Arial where the system has no Arial of its own. On Windows the program carries Liberation Sans,
// Arial's metric twin, and DejaVu Sans for signs: the offscreen platform the reports are drawn on
// finds no system font there (a PDF without one shows boxes), and wine has no Arial. On Linux the
// system's own Liberation and DejaVu fonts serve, and nothing is compiled in.
void AddProgramFonts();

} // namespace corvane
