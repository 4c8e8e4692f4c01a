#include "core/DossierFileName.h"

#include "core/AsciiText.h"
#include "core/TextEncoding.h"

#include <algorithm>
#include <array>

namespace corvane {

namespace {

constexpr std::size_t kMaxBytes = 100;

bool Forbidden(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F ||
           std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
}

bool TrimmedAtEnds(char c) {
    return c == ' ' || c == '\t' || c == '.';
}

bool IsDeviceName(std::string_view name) {
    constexpr std::array<std::string_view, 4> kDevices{"CON", "PRN", "AUX", "NUL"};
    for (const std::string_view device : kDevices) {
        if (EqualsIgnoringAsciiCase(name, device)) {
            return true;
        }
    }
    return name.size() == 4 &&
           (EqualsIgnoringAsciiCase(name.substr(0, 3), "COM") ||
            EqualsIgnoringAsciiCase(name.substr(0, 3), "LPT")) &&
           name[3] >= '1' && name[3] <= '9';
}

} // namespace

std::string DossierFileName(std::string_view eventName) {
    std::string name = ValidUtf8(eventName);
    for (char& c : name) {
        if (Forbidden(c)) {
            c = '_';
        }
    }
    if (name.size() > kMaxBytes) {
        std::size_t end = kMaxBytes;
        // Back to the start of a character: continuation bytes are 10xxxxxx.
        while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) {
            --end;
        }
        name.resize(end);
    }
    const std::size_t first = name.find_first_not_of(" \t.");
    if (first == std::string::npos) {
        return "Dossier";
    }
    name.erase(0, first);
    while (TrimmedAtEnds(name.back())) {
        name.pop_back();
    }
    const std::size_t stemEnd = std::min(name.find('.'), name.size());
    if (IsDeviceName(std::string_view(name).substr(0, stemEnd))) {
        return name.substr(0, stemEnd) + '_' + name.substr(stemEnd);
    }
    return name;
}

} // namespace corvane
