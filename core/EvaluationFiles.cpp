#include "core/EvaluationFiles.h"

#include "core/EvaluationFile.h"
#include "core/Indicator.h"

namespace corvane {

namespace {

EvaluationRecord RecordFromValues(const EvaluationFileValues& values) {
    EvaluationRecord stored;
    stored.p2Choice = OptionFromValue(Indicator::P2, values.p2);
    stored.e1Choice = OptionFromValue(Indicator::E1, values.e1);
    stored.e2Choice = OptionFromValue(Indicator::E2, values.e2);
    stored.p1Text = values.p1;
    stored.pText = values.p;
    stored.riskIndexText = values.i;
    stored.risText = values.ris;
    stored.dpsTypeText = values.type;
    // A type text the program does not know shows no banner rather than a stale one.
    stored.banner = DpsTypeFromText(values.type).value_or(DpsType::NoType);
    stored.savedOnText = std::string(kSavedOnPrefix) + values.date;
    return stored;
}

} // namespace

std::optional<EvaluationRecord> ReadEvaluation(EvaluationFiles& files, const std::string& path) {
    const std::unique_ptr<ByteSource> source = files.OpenForReading(path);
    const std::optional<EvaluationFileValues> values =
        source ? ReadEvaluationFile(*source) : std::nullopt;
    if (!values) {
        return std::nullopt;
    }
    return RecordFromValues(*values);
}

} // namespace corvane
