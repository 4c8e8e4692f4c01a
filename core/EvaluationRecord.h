#pragma once

#include "core/DpsType.h"

#include <string>

namespace corvane {

// The one evaluation shown on the grid page. Results are held as the texts that are shown and
// saved: the texts are the values.
struct EvaluationRecord {
    std::string name;
    int p2Choice = 1;
    int e1Choice = 1;
    int e2Choice = 1;
    std::string p2Coefficient = "0.25";
    std::string e1Coefficient = "0.25";
    std::string e2Coefficient = "0.25";
    std::string p1Text;
    std::string pText;
    std::string riskIndexText;
    std::string risText;
    std::string dpsTypeText;
    DpsType banner = DpsType::NoType;
    std::string savedOnText;

    bool operator==(const EvaluationRecord&) const = default;
};

} // namespace corvane
