#pragma once

#include "core/DpsType.h"
#include "core/EvaluationRecord.h"
#include "core/Indicator.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace corvane {

// One bit for each field of the EvaluationRecord, so that whoever shows the record learns which
// fields an operation changed.
enum RecordField : std::uint32_t {
    kNameField = 1U << 0,
    kP2ChoiceField = 1U << 1,
    kE1ChoiceField = 1U << 2,
    kE2ChoiceField = 1U << 3,
    kP2CoefficientField = 1U << 4,
    kE1CoefficientField = 1U << 5,
    kE2CoefficientField = 1U << 6,
    kP1TextField = 1U << 7,
    kPTextField = 1U << 8,
    kRiskIndexTextField = 1U << 9,
    kRisTextField = 1U << 10,
    kDpsTypeTextField = 1U << 11,
    kBannerField = 1U << 12,
    kSavedOnTextField = 1U << 13,
};
using RecordFields = std::uint32_t;

// The grid's rules on texts alone, as the grid page applies them, for whoever must check saved
// figures against them.

// P from the P1 text: the public counted whole up to 100,000 people, half of it beyond.
std::string WeightedPublicText(std::string_view p1Text);
// The total risk index text from the three coefficient texts; empty when it is not above 0.
std::string RiskIndexText(std::string_view p2Coefficient, std::string_view e1Coefficient,
                          std::string_view e2Coefficient);
// The RIS from the index text and the P text: i x (P / 1000) in double precision from the
// single-precision i and P, rounded to single precision. The band and the number of workers are
// decided on this value, never on its three-decimal text.
float RisFromTexts(std::string_view riskIndexText, std::string_view pText);

// Holds the one evaluation of the grid page and turns the user's entries into the results of the
// national risk grid. Each operation ends by telling the observer which fields it changed.
class RiskGrid {
public:
    using Observer = std::function<void(RecordFields changed)>;

    RiskGrid();

    const EvaluationRecord& Record() const { return record_; }
    void SetObserver(Observer observer) { observer_ = std::move(observer); }

    void ChooseOption(Indicator indicator, int option);
    void EditP1(std::string_view text);
    std::string ComputeRiskIndex() const;
    std::string ComputeP() const;
    void ComputeRis();
    static DpsType ClassifyRis(float ris);
    void ResetEvaluation();

    // The user changed the name: the saved-on line no longer belongs to it.
    void EditName(std::string_view text);
    // The program wrote the name, as after an opening: nothing else changes.
    void SetName(std::string_view text);
    // An opened file's values, stood in place as they were saved, without recomputation. The
    // name is not taken from it, and the coefficients follow the options: an option outside 1
    // to 4 leaves that indicator as it was.
    void RestoreEvaluation(const EvaluationRecord& stored);

    int Choice(Indicator indicator) const;

private:
    void SetText(std::string& field, std::string_view value, RecordField bit);
    void SetChoice(Indicator indicator, int option);
    void SetBanner(DpsType banner);
    void UpdateRis();
    void Notify();

    EvaluationRecord record_;
    RecordFields changed_ = 0;
    Observer observer_;
};

} // namespace corvane
