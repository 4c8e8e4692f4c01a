#pragma once

#include <string>
#include <string_view>

namespace corvane {

// Each byte is one ISO 8859-1 character.
std::string Latin1ToUtf8(std::string_view latin1);

// `text` with every byte that does not belong to a well-formed UTF-8 sequence replaced by
// U+FFFD, so that what is shown is what is saved again.
std::string ValidUtf8(std::string_view text);

} // namespace corvane
