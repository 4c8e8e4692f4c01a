#pragma once

#include <optional>
#include <string>

namespace corvane {

// Which rule of the national reference turns a RIS into a number of first-aid workers.
enum class WorkerRule {
    NoDeployment, // RIS up to 0.25: left to the police authority's diligence, no worker
    AlertPost,    // up to 1.125: a first-aid alert post of two people
    SmallPost,    // up to 4: four workers
    NextEven,     // above 4: the RIS raised to the next even number
};

struct WorkerCount {
    WorkerRule rule;
    // A whole number; a double holds it exactly for every finite single-precision RIS.
    double workers;
};

// The number of first-aid workers that a RIS calls for; nothing for an infinite or
// not-a-number RIS, which only a hand-edited file can hold.
std::optional<WorkerCount> RecommendedWorkers(float ris);

// A number of workers in whole digits, with no decimals and no exponent.
std::string WorkersText(double workers);

} // namespace corvane
