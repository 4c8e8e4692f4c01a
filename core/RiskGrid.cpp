#include "core/RiskGrid.h"

#include "core/NumberText.h"
#include "core/RisBands.h"

namespace corvane {

namespace {

constexpr std::int64_t kFullCountLimit = 100000;

} // namespace

std::string WeightedPublicText(std::string_view p1Text) {
    const std::int64_t count = ReadWholeNumber(p1Text);
    const std::int64_t p =
        count > kFullCountLimit ? kFullCountLimit + (count - kFullCountLimit) / 2 : count;
    return WriteWholeNumber(p);
}

std::string RiskIndexText(std::string_view p2Coefficient, std::string_view e1Coefficient,
                          std::string_view e2Coefficient) {
    const double sum = static_cast<double>(ReadDecimalText(p2Coefficient)) +
                       static_cast<double>(ReadDecimalText(e1Coefficient)) +
                       static_cast<double>(ReadDecimalText(e2Coefficient));
    const auto index = static_cast<float>(sum);
    return index > 0.0F ? WriteDecimalText(index, 2) : std::string{};
}

float RisFromTexts(std::string_view riskIndexText, std::string_view pText) {
    const float index = ReadDecimalText(riskIndexText);
    const float p = ReadDecimalText(pText);
    return static_cast<float>(static_cast<double>(index) * (static_cast<double>(p) / 1000.0));
}

RiskGrid::RiskGrid() {
    record_.riskIndexText = ComputeRiskIndex();
}

int RiskGrid::Choice(Indicator indicator) const {
    switch (indicator) {
    case Indicator::P2:
        return record_.p2Choice;
    case Indicator::E1:
        return record_.e1Choice;
    case Indicator::E2:
        return record_.e2Choice;
    }
    return 0;
}

void RiskGrid::ChooseOption(Indicator indicator, int option) {
    if (option < 1 || option > kOptionCount) {
        return;
    }
    SetChoice(indicator, option);
    SetText(record_.riskIndexText, ComputeRiskIndex(), kRiskIndexTextField);
    SetText(record_.pText, ComputeP(), kPTextField);
    UpdateRis();
    Notify();
}

void RiskGrid::EditP1(std::string_view text) {
    SetText(record_.p1Text, text, kP1TextField);
    UpdateRis();
    SetText(record_.pText, ComputeP(), kPTextField);
    Notify();
}

std::string RiskGrid::ComputeRiskIndex() const {
    return RiskIndexText(record_.p2Coefficient, record_.e1Coefficient, record_.e2Coefficient);
}

std::string RiskGrid::ComputeP() const {
    return WeightedPublicText(record_.p1Text);
}

void RiskGrid::ComputeRis() {
    UpdateRis();
    Notify();
}

DpsType RiskGrid::ClassifyRis(float ris) {
    if (ris == 0.0F) {
        return DpsType::NoType;
    }
    for (const RisBand& band : kRisBands) {
        if (ris <= band.upTo) {
            return band.type;
        }
    }
    return DpsType::NoType; // not a number: no band says anything about it
}

void RiskGrid::ResetEvaluation() {
    for (Indicator indicator : kIndicators) {
        SetChoice(indicator, 1);
    }
    SetText(record_.p1Text, {}, kP1TextField);
    SetText(record_.pText, {}, kPTextField);
    SetText(record_.risText, {}, kRisTextField);
    SetText(record_.dpsTypeText, {}, kDpsTypeTextField);
    SetBanner(DpsType::NoType);
    SetText(record_.savedOnText, {}, kSavedOnTextField);
    SetText(record_.name, {}, kNameField);
    SetText(record_.riskIndexText, ComputeRiskIndex(), kRiskIndexTextField);
    Notify();
}

void RiskGrid::EditName(std::string_view text) {
    SetText(record_.name, text, kNameField);
    SetText(record_.savedOnText, {}, kSavedOnTextField);
    Notify();
}

void RiskGrid::SetName(std::string_view text) {
    SetText(record_.name, text, kNameField);
    Notify();
}

void RiskGrid::RestoreEvaluation(const EvaluationRecord& stored) {
    const std::pair<Indicator, int> choices[] = {{Indicator::P2, stored.p2Choice},
                                                 {Indicator::E1, stored.e1Choice},
                                                 {Indicator::E2, stored.e2Choice}};
    for (const auto& [indicator, option] : choices) {
        if (option >= 1 && option <= kOptionCount) {
            SetChoice(indicator, option);
        }
    }
    SetText(record_.p1Text, stored.p1Text, kP1TextField);
    SetText(record_.pText, stored.pText, kPTextField);
    SetText(record_.riskIndexText, stored.riskIndexText, kRiskIndexTextField);
    SetText(record_.risText, stored.risText, kRisTextField);
    SetText(record_.dpsTypeText, stored.dpsTypeText, kDpsTypeTextField);
    SetBanner(stored.banner);
    SetText(record_.savedOnText, stored.savedOnText, kSavedOnTextField);
    Notify();
}

void RiskGrid::SetText(std::string& field, std::string_view value, RecordField bit) {
    if (field != value) {
        field.assign(value);
        changed_ |= bit;
    }
}

void RiskGrid::SetChoice(Indicator indicator, int option) {
    int* choice = &record_.p2Choice;
    std::string* coefficient = &record_.p2Coefficient;
    RecordField choiceBit = kP2ChoiceField;
    RecordField coefficientBit = kP2CoefficientField;
    if (indicator == Indicator::E1) {
        choice = &record_.e1Choice;
        coefficient = &record_.e1Coefficient;
        choiceBit = kE1ChoiceField;
        coefficientBit = kE1CoefficientField;
    } else if (indicator == Indicator::E2) {
        choice = &record_.e2Choice;
        coefficient = &record_.e2Coefficient;
        choiceBit = kE2ChoiceField;
        coefficientBit = kE2CoefficientField;
    }
    if (*choice != option) {
        *choice = option;
        changed_ |= choiceBit;
    }
    SetText(*coefficient, CoefficientText(option), coefficientBit);
}

void RiskGrid::SetBanner(DpsType banner) {
    if (record_.banner != banner) {
        record_.banner = banner;
        changed_ |= kBannerField;
    }
}

void RiskGrid::UpdateRis() {
    const float ris = RisFromTexts(record_.riskIndexText, ComputeP());
    const DpsType type = ClassifyRis(ris);
    SetText(record_.risText, WriteDecimalText(ris, 3), kRisTextField);
    SetText(record_.dpsTypeText, DpsTypeText(type), kDpsTypeTextField);
    SetBanner(type);
}

void RiskGrid::Notify() {
    if (changed_ != 0 && observer_) {
        const RecordFields changed = changed_;
        changed_ = 0;
        observer_(changed);
    }
    changed_ = 0;
}

} // namespace corvane
