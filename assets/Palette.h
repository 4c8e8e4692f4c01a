#pragma once

// The risk colours of the program, shared by the grid page and the pictures drawn for it, so that
// a level wears the same colour wherever it appears.

#include "core/Indicator.h"

#include <array>
#include <cstdint>

namespace corvane {

// A colour as 0xRRGGBB.
using Rgb = std::uint32_t;

// The levels of an indicator, from option 1 (lowest risk) to option 4 (highest): the grid page's
// option descriptions, and the levels in the explanation pictures.
inline constexpr std::array<Rgb, kOptionCount> kLevelColours{0x3EC145, 0x559BD5, 0xE49745,
                                                             0xE93F45};

// The grid page's results.
inline constexpr Rgb kRiskResultColour = 0xDD3145;    // total risk index and RIS
inline constexpr Rgb kDpsTypeResultColour = 0xB13745; // type of DPS
inline constexpr Rgb kBannerCaptionColour = 0x5A78D5; // caption above the DPS banner

} // namespace corvane
