#include "core/RecommendedWorkers.h"

#include <cmath>
#include <cstdio>

namespace corvane {

std::optional<WorkerCount> RecommendedWorkers(float ris) {
    if (!std::isfinite(ris)) {
        return std::nullopt;
    }
    // The bounds are compared in single precision, as the grid classifies the RIS.
    if (ris <= 0.25F) {
        return WorkerCount{WorkerRule::NoDeployment, 0};
    }
    if (ris <= 1.125F) {
        return WorkerCount{WorkerRule::AlertPost, 2};
    }
    if (ris <= 4.0F) {
        return WorkerCount{WorkerRule::SmallPost, 4};
    }
    return WorkerCount{WorkerRule::NextEven, 2 * std::ceil(static_cast<double>(ris) / 2)};
}

std::string WorkersText(double workers) {
    // The largest single-precision value has 39 digits.
    char digits[64];
    std::snprintf(digits, sizeof digits, "%.0f", workers);
    return digits;
}

} // namespace corvane
