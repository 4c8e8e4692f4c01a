#pragma once

#include "core/DpsType.h"

#include <array>
#include <limits>
#include <string_view>

namespace corvane {

// One band of the RIS: a RIS above the previous band's bound and up to this one's calls for
// `type`. The bound is compared in single precision, as the grid computes the RIS, and printed
// from its text; the last band has no bound.
struct RisBand {
    DpsType type;
    float upTo;
    std::string_view upToText; // empty for the last band
};

inline constexpr std::array<RisBand, 5> kRisBands{{
    {DpsType::Diligence, 0.25F, "0.25"},
    {DpsType::Paps, 1.125F, "1.125"},
    {DpsType::DpsPe, 12.0F, "12"},
    {DpsType::DpsMe, 36.0F, "36"},
    {DpsType::DpsGe, std::numeric_limits<float>::infinity(), {}},
}};

} // namespace corvane
