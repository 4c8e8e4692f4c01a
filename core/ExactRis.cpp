#include "core/ExactRis.h"

#include "core/NumberText.h"

#include <array>

namespace corvane {

namespace {

constexpr std::int64_t kOne = 100000; // a RIS of 1 in hundred-thousandths
constexpr std::array<std::int64_t, 5> kBounds{25000, 112500, 400000, 1200000, 3600000};

} // namespace

std::int64_t IndexHundredths(std::string_view twoDecimals) {
    std::string digits(twoDecimals);
    std::erase(digits, '.');
    return ReadWholeNumber(digits);
}

std::int64_t ExactRis(const EvaluationRecord& record) {
    return IndexHundredths(record.riskIndexText) * ReadWholeNumber(record.pText);
}

std::string RisAboveBoundText(const EvaluationRecord& record) {
    // The grid writes the RIS with three decimals.
    std::string thousandths(record.risText);
    std::erase(thousandths, '.');
    const std::int64_t printed = ReadWholeNumber(thousandths) * 100;
    const std::int64_t exact = ExactRis(record);
    bool onBound = false;
    for (const std::int64_t bound : kBounds) {
        onBound = onBound || (printed == bound && exact > bound);
    }
    if (!onBound) {
        return {};
    }
    std::string decimals = std::to_string(kOne + exact % kOne).substr(1);
    while (decimals.size() > 3 && decimals.back() == '0') {
        decimals.pop_back();
    }
    return std::to_string(exact / kOne) + ',' + decimals;
}

bool RisExactlyOneQuarter(const EvaluationRecord& record) {
    return ExactRis(record) == kBounds.front();
}

} // namespace corvane
