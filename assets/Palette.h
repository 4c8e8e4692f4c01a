#pragma once

// The risk colours of the program, shared by the grid page and the pictures drawn for it, so that
// a level or a DPS type wears the same colour wherever it appears.

#include "core/DpsType.h"
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

// One colour per DPS type, graded from calm to alarming: grey, green, amber, orange, red. A
// result without a type has no deployment either, and shares the grey.
constexpr Rgb DpsTypeColour(DpsType type) {
    switch (type) {
    case DpsType::NoType:
    case DpsType::Diligence:
        return 0x8A949E;
    case DpsType::Paps:
        return 0x3EA845;
    case DpsType::DpsPe:
        return 0xD9A41E;
    case DpsType::DpsMe:
        return 0xE0702A;
    case DpsType::DpsGe:
        return 0xD32F35;
    }
    return 0x8A949E;
}

} // namespace corvane
