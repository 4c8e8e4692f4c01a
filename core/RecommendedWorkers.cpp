#include "core/RecommendedWorkers.h"

namespace corvane {

namespace {

// The RIS is indexHundredths x P / kScale.
constexpr std::int64_t kScale = 100000;
// Up to this P every product of the rules' bounds fits in 64 bits; beyond it the RIS is above 4.
constexpr std::int64_t kSmallP = 4 * kScale;

} // namespace

WorkerCount RecommendedWorkers(std::int64_t indexHundredths, std::int64_t p) {
    if (indexHundredths <= 0 || p <= 0) {
        return {WorkerRule::NoDeployment, 0};
    }
    if (p <= kSmallP) {
        const std::int64_t scaled = indexHundredths * p;
        if (4 * scaled <= kScale) {
            return {WorkerRule::NoDeployment, 0};
        }
        if (8 * scaled <= 9 * kScale) {
            return {WorkerRule::AlertPost, 2};
        }
        if (scaled <= 4 * kScale) {
            return {WorkerRule::SmallPost, 4};
        }
    }
    // Twice the RIS / 2 raised to a whole number, P split so that no product overflows.
    constexpr std::int64_t kPair = 2 * kScale;
    const std::int64_t pairs =
        indexHundredths * (p / kPair) + (indexHundredths * (p % kPair) + kPair - 1) / kPair;
    return {WorkerRule::NextEven, 2 * pairs};
}

} // namespace corvane
