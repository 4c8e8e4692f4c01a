#pragma once

#include <array>
#include <string>
#include <string_view>

namespace corvane {

// The three indicators of the national risk grid.
enum class Indicator { P2, E1, E2 };

inline constexpr std::array<Indicator, 3> kIndicators{Indicator::P2, Indicator::E1, Indicator::E2};
inline constexpr int kOptionCount = 4;

// The coefficient text of option 1..4, the same for every indicator: "0.25" to "0.40".
std::string_view CoefficientText(int option);

// How a chosen option is stored in an evaluation file: "OptP2_" + the option's digit.
std::string OptionValue(Indicator indicator, int option);

// The option that a stored value names, compared with its exact letter case; 0 when it names
// none of the indicator's four options.
int OptionFromValue(Indicator indicator, std::string_view value);

} // namespace corvane
