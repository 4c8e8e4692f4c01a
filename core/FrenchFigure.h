#pragma once

#include <string>
#include <string_view>

namespace corvane {

// Whether a saved text is a number as the grid writes one: perhaps a minus sign, digits, then
// perhaps a full stop and more digits ("-500", "2.250").
bool IsPlainNumber(std::string_view text);

// A plain number as a French document writes it: a decimal comma, and the digits of its whole
// part grouped by three with `thousands` between the groups ("340000" gives "340 000" with a
// narrow no-break space). Any other text, a hand-edited "1e39" or "NaN" among them, comes back
// as it is.
std::string FrenchFigure(std::string_view text, std::string_view thousands = {});

} // namespace corvane
