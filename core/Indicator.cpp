#include "core/Indicator.h"

namespace corvane {

namespace {

constexpr std::array<std::string_view, kOptionCount> kCoefficientTexts{"0.25", "0.30", "0.35",
                                                                       "0.40"};

std::string_view OptionValuePrefix(Indicator indicator) {
    switch (indicator) {
    case Indicator::P2:
        return "OptP2_";
    case Indicator::E1:
        return "OptE1_";
    case Indicator::E2:
        return "OptE2_";
    }
    return {};
}

bool IsOption(int option) {
    return option >= 1 && option <= kOptionCount;
}

} // namespace

std::string_view CoefficientText(int option) {
    return IsOption(option) ? kCoefficientTexts[static_cast<std::size_t>(option - 1)]
                            : std::string_view{};
}

std::string OptionValue(Indicator indicator, int option) {
    std::string value(OptionValuePrefix(indicator));
    value += static_cast<char>('0' + option);
    return value;
}

int OptionFromValue(Indicator indicator, std::string_view value) {
    const std::string_view prefix = OptionValuePrefix(indicator);
    if (value.size() != prefix.size() + 1 || !value.starts_with(prefix)) {
        return 0;
    }
    const int option = value.back() - '0';
    return IsOption(option) ? option : 0;
}

} // namespace corvane
