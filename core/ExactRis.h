#pragma once

#include "core/EvaluationRecord.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

// A two-decimal index text such as "0.95" in hundredths.
std::int64_t IndexHundredths(std::string_view twoDecimals);

// The RIS i x P / 1000 exactly, in hundred-thousandths: i has two decimals and P is whole.
std::int64_t ExactRis(const EvaluationRecord& record);

// Where the three-decimal RIS of a saved evaluation lands on the bound of a band (0,250; 1,125;
// 4,000; 12,000; 36,000) while the exact value lies above it, and so in the next band, that exact
// value in French with the decimals it needs: "12,0003". Empty otherwise. Only for results that
// agree with each other.
std::string RisAboveBoundText(const EvaluationRecord& record);

// A RIS of exactly 0.25: the grid gives no cover there, a reading of the reference gives one.
bool RisExactlyOneQuarter(const EvaluationRecord& record);

} // namespace corvane
