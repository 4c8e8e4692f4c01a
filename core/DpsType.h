#pragma once

#include <optional>
#include <string_view>

namespace corvane {

// The type of first-aid deployment that a RIS calls for.
enum class DpsType { NoType, Diligence, Paps, DpsPe, DpsMe, DpsGe };

// The French text of a type; empty for NoType.
std::string_view DpsTypeText(DpsType type);

// The short name a table gives a type: "PAPS", "DPS-ME"; empty for NoType.
std::string_view DpsTypeShortText(DpsType type);
// The type whose text is exactly `text`; nothing for any other text, the empty one included.
std::optional<DpsType> DpsTypeFromText(std::string_view text);

} // namespace corvane
