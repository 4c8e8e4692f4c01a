#include "core/EvaluationStore.h"

#include "core/EvaluationFile.h"

#include <filesystem>

namespace corvane {

namespace {

constexpr std::string_view kFileExtension = ".ini";

std::filesystem::path PathFromUtf8(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
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
    const std::optional<EvaluationRecord> stored = ReadEvaluation(files_, path);
    if (!stored) {
        return AskRetry(OpeningFailureQuestion());
    }
    grid_.RestoreEvaluation(*stored);
    return FileOutcome::Done;
}

FileOutcome EvaluationStore::AskRetry(const UserMessage& question) {
    return asker_.Ask(question) == MessageAnswer::Yes ? FileOutcome::RetryRequested
                                                      : FileOutcome::Failed;
}

} // namespace corvane
