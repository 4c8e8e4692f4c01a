#include "report/OpenedEvaluation.h"

#include "core/EvaluationStore.h"
#include "platform/DiskEvaluationFiles.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>

namespace corvane {

namespace {

// Declines every question: a report does not try again.
class DecliningAsker : public MessageAsker {
public:
    MessageAnswer Ask(const UserMessage&) override { return MessageAnswer::No; }
};

std::string WhyUnreadable(const std::string& path) {
    const QByteArray localPath = QFile::encodeName(QString::fromStdString(path));
    struct stat status {};
    if (stat(localPath.constData(), &status) != 0) {
        return errno == EACCES ? "accès refusé" : "fichier introuvable";
    }
    if (S_ISDIR(status.st_mode)) {
        return "c'est un dossier, pas un fichier";
    }
    if (!S_ISREG(status.st_mode)) {
        return "ce n'est pas un fichier ordinaire";
    }
    return "lecture impossible (accès refusé ou erreur de lecture)";
}

} // namespace

OpeningResult OpenEvaluationFile(const std::string& path) {
    RiskGrid grid;
    DiskEvaluationFiles files;
    DecliningAsker asker;
    EvaluationStore store(grid, files, asker, {}, {});
    if (store.OpenEvaluation(path) != FileOutcome::Done) {
        return {std::nullopt, WhyUnreadable(path)};
    }
    grid.SetName(QFileInfo(QString::fromStdString(path)).completeBaseName().toStdString());
    OpenedEvaluation opened{grid.Record(), {}, CheckSavedResults(grid.Record())};
    const std::string& savedOn = opened.record.savedOnText;
    opened.savedDate = savedOn.substr(std::min(savedOn.size(), kSavedOnPrefix.size()));
    return {std::move(opened), {}};
}

} // namespace corvane
