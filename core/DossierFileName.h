#pragma once

#include <string>
#include <string_view>

namespace corvane {

// The name, without extension, under which an event's dossier and details are kept: the event's
// name with what no file name may hold on Windows or Linux (\ / : * ? " < > | and control
// characters) as '_', blanks and dots trimmed at the ends, at most 100 bytes of whole UTF-8
// characters, a device name of Windows (CON, NUL, COM1...) followed by '_', "Dossier" for nothing.
std::string DossierFileName(std::string_view eventName);

} // namespace corvane
