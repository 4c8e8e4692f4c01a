#pragma once

#include "report/OpenedEvaluation.h"

#include <string>

namespace corvane {

// A table of evaluations in the form French spreadsheets open as they are: UTF-8 with a
// byte-order mark, fields separated by semicolons, decimal commas, lines ending with CR LF. One
// header line, then one line per evaluation, written as each is read.

// The byte-order mark and the header line.
std::string SummaryCsvHeading();
// The line of one evaluation.
std::string SummaryCsvLine(const OpenedEvaluation& evaluation);

} // namespace corvane
