#include "core/FrenchFigure.h"

#include <algorithm>

namespace corvane {

namespace {

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

bool IsPlainNumber(std::string_view text) {
    if (!text.empty() && text.front() == '-') {
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    return AllDigits(text.substr(0, point)) &&
           (point == std::string_view::npos || AllDigits(text.substr(point + 1)));
}

std::string FrenchFigure(std::string_view text, std::string_view thousands) {
    if (!IsPlainNumber(text)) {
        return std::string(text);
    }
    std::string french;
    if (text.front() == '-') {
        french += '-';
        text.remove_prefix(1);
    }
    const std::size_t point = std::min(text.find('.'), text.size());
    for (std::size_t at = 0; at < point; ++at) {
        if (at > 0 && (point - at) % 3 == 0) {
            french += thousands;
        }
        french += text[at];
    }
    if (point < text.size()) {
        french += ',';
        french += text.substr(point + 1);
    }
    return french;
}

} // namespace corvane
