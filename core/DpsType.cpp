#include "core/DpsType.h"

#include <array>

namespace corvane {

namespace {

constexpr std::array<DpsType, 5> kTypesWithText{DpsType::Diligence, DpsType::Paps, DpsType::DpsPe,
                                                DpsType::DpsMe, DpsType::DpsGe};

} // namespace

std::string_view DpsTypeText(DpsType type) {
    switch (type) {
    case DpsType::NoType:
        return {};
    case DpsType::Diligence:
        return "Diligence de l'autorité de police compétente";
    case DpsType::Paps:
        return "Point d'alerte et de premier secours";
    case DpsType::DpsPe:
        return "DPS de petite envergure (DPS-PE)";
    case DpsType::DpsMe:
        return "DPS de moyenne envergure (DPS-ME)";
    case DpsType::DpsGe:
        return "DPS de grande envergure (DPS-GE)";
    }
    return {};
}

std::string_view DpsTypeShortText(DpsType type) {
    switch (type) {
    case DpsType::NoType:
        return {};
    case DpsType::Diligence:
        return "Diligence";
    case DpsType::Paps:
        return "PAPS";
    case DpsType::DpsPe:
        return "DPS-PE";
    case DpsType::DpsMe:
        return "DPS-ME";
    case DpsType::DpsGe:
        return "DPS-GE";
    }
    return {};
}

std::optional<DpsType> DpsTypeFromText(std::string_view text) {
    for (DpsType type : kTypesWithText) {
        if (DpsTypeText(type) == text) {
            return type;
        }
    }
    return std::nullopt;
}

} // namespace corvane
