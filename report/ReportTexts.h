#pragma once

#include "core/SavedResults.h"

#include <QString>

#include <cstddef>
#include <string_view>

namespace corvane {

// The report's texts, made from what an evaluation file holds.

// Why an evaluation saved before its results were computed has no report; empty when it has one.
QString WhyNothingToReport(SavedResults results);
// A stored text as the page shows it: bounded, control characters as spaces.
QString Shown(std::string_view text);
// An indicator's title on the grid page without the page's instruction to choose.
QString IndicatorTitle(const char* pageTitle);
// A saved figure as a French document writes it: "340 000", "2,250".
QString Figure(std::string_view text);
// Why no number of workers is given for results that are not the grid's own.
QString NoVerdictText(SavedResults results);
// The range of RIS of one band of the table: "RIS ≤ 0,25", "0,25 < RIS ≤ 1,125", "RIS > 36".
QString BandText(std::size_t index);

} // namespace corvane
