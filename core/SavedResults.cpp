#include "core/SavedResults.h"

#include "core/ExactRis.h"
#include "core/NumberText.h"
#include "core/RiskGrid.h"

#include <string>

namespace corvane {

SavedVerdict CheckSavedResults(const EvaluationRecord& record) {
    if (ReadWholeNumber(record.p1Text) == 0) {
        return {SavedResults::NoHeadcount, std::nullopt};
    }
    if (record.pText.empty() || record.risText.empty() || record.dpsTypeText.empty()) {
        return {SavedResults::MissingResult, std::nullopt};
    }
    if (record.pText != WeightedPublicText(record.p1Text)) {
        return {SavedResults::PNotFromP1, std::nullopt};
    }
    if (record.riskIndexText !=
        RiskIndexText(record.p2Coefficient, record.e1Coefficient, record.e2Coefficient)) {
        return {SavedResults::IndexNotFromOptions, std::nullopt};
    }
    const float ris = RisFromTexts(record.riskIndexText, record.pText);
    if (record.risText != WriteDecimalText(ris, 3)) {
        return {SavedResults::RisNotFromIndexAndP, std::nullopt};
    }
    if (record.dpsTypeText != DpsTypeText(RiskGrid::ClassifyRis(ris))) {
        return {SavedResults::TypeNotFromRis, std::nullopt};
    }
    return {SavedResults::Agree, RecommendedWorkers(IndexHundredths(record.riskIndexText),
                                                    ReadWholeNumber(record.pText))};
}

} // namespace corvane
