#include "core/EvaluationStore.h"

#include "core/EvaluationFile.h"
#include "core/Indicator.h"

#include <filesystem>

namespace corvane {

namespace {

constexpr std::string_view kFileExtension = ".ini";

std::filesystem::path PathFromUtf8(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

StoredEvaluation StoredFromValues(const EvaluationFileValues& values) {
    StoredEvaluation stored;
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

UserMessage CreationFailureQuestion() {
    return {"Erreur!",
            " Une erreur est survenue, impossible de créer le fichier.\r\nEssayez à nouveau",
            MessageIcon::Error, MessageButtons::YesNo};
}

UserMessage OpeningFailureQuestion() {
    return {"Erreur!", "Impossible d'ouvrir le fichier.\r\nVoulez-vous essayer à nouveau ?",
            MessageIcon::Error, MessageButtons::YesNo};
}

EvaluationStore::EvaluationStore(RiskGrid& grid, EvaluationFiles& files, MessageAsker& asker,
                                 Clock clock, std::string evaluationsPath)
    : grid_(grid), files_(files), asker_(asker), clock_(std::move(clock)),
      evaluationsPath_(std::move(evaluationsPath)) {}

std::string EvaluationStore::PathForName(std::string_view name) const {
    std::string path = evaluationsPath_;
    path += name;
    path += kFileExtension;
    return path;
}

bool EvaluationStore::NameStaysInFolder(std::string_view name) const {
    if (name.empty() || name.find('\0') != std::string_view::npos) {
        return false;
    }
    const std::filesystem::path relative = PathFromUtf8(std::string(name) + ".ini");
    if (relative.has_root_name() || relative.has_root_directory()) {
        return false;
    }
    for (const auto& component : relative) {
        if (component == "..") {
            return false;
        }
    }
    return files_.IsInsideFolder(evaluationsPath_, PathForName(name));
}

FileOutcome EvaluationStore::SaveEvaluation(std::string_view name) {
    const std::string content = EncodeEvaluationFile(grid_.Record(), clock_());
    if (!NameStaysInFolder(name) || !files_.ReplaceWhole(PathForName(name), content)) {
        return AskRetry(CreationFailureQuestion());
    }
    return FileOutcome::Done;
}

FileOutcome EvaluationStore::OpenEvaluation(const std::string& path) {
    const std::unique_ptr<ByteSource> source = files_.OpenForReading(path);
    const std::optional<EvaluationFileValues> values =
        source ? ReadEvaluationFile(*source) : std::nullopt;
    if (!values) {
        return AskRetry(OpeningFailureQuestion());
    }
    grid_.RestoreEvaluation(StoredFromValues(*values));
    return FileOutcome::Done;
}

FileOutcome EvaluationStore::AskRetry(const UserMessage& question) {
    return asker_.Ask(question) == MessageAnswer::Yes ? FileOutcome::RetryRequested
                                                      : FileOutcome::Failed;
}

} // namespace corvane
