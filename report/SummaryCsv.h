#pragma once

#include "report/OpenedEvaluation.h"

#include <string>
#include <vector>

namespace corvane {

// A table of evaluations in the form French spreadsheets open as they are: UTF-8 with a
// byte-order mark, fields separated by semicolons, decimal commas, lines ending with CR LF. One
// header line, then one line per evaluation in the order given.
std::string SummaryCsv(const std::vector<OpenedEvaluation>& evaluations);

} // namespace corvane
