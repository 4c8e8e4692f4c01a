#pragma once

#include "core/DpsType.h"
#include "core/EvaluationRecord.h"

#include <cstdint>
#include <string_view>

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
    std::int64_t workers;
};

// The number of first-aid workers that the RIS i x P / 1000 calls for, where i is a two-decimal
// index given in hundredths (75 for 0.75; at most a few hundred) and P the whole weighted public.
// It is decided on the exact value of that product: in single precision 1.20 x 25,000 lies a
// hair above 30 and would ask for 32. Where the grid's bands lie (12 and 36) the exact value and
// the grid's single-precision one never fall on different sides.
WorkerCount RecommendedWorkers(std::int64_t indexHundredths, std::int64_t p);

// The rule as the report states it, in French.
std::string_view WorkerRuleText(WorkerRule rule);

// What the national reference says a type of deployment is made of, in French; empty for NoType.
std::string_view CompositionText(DpsType type);

// Public rescue more than 30 minutes away makes an alert post too little, whatever the RIS.
bool PapsFallsShort(const EvaluationRecord& record);

} // namespace corvane
