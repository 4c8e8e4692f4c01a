#pragma once

#include "core/EventDetails.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane {

// The whole content of a dossier's details file: byte-order mark, CR LF line ends, the group
// "Evenement" of `key = value` lines, then the group "Evaluations" with one line per evaluation,
// `name = public;dd/mm/yyyy`. Characters that would end or split a key or a value ('%', '=',
// ';', '[', ']', control characters and blanks at either end) are written "%XX", so that every
// text reads back the same.
std::string EncodeEventFile(const EventDetails& details);

// Reads a details file: any key may be missing (empty), unknown keys and lines are passed over,
// text that is not UTF-8 is read as Latin-1 when the file has no byte-order mark.
EventDetails DecodeEventFile(std::string_view bytes);

// A details file is a few hundred bytes; reading stops here.
inline constexpr std::size_t kMaxEventFileBytes = 1024 * 1024;

} // namespace corvane
