#include "report/OpenedEvaluation.h"

#include "core/EvaluationFiles.h"
#include "core/RiskGrid.h"
#include "platform/files/DiskEvaluationFiles.h"
#include "platform/files/FolderReading.h"
#include "platform/files/NativeNames.h"

#include <QFileInfo>

namespace corvane {

std::string WhyUnreadable(const std::string& path) {
    switch (KindAt(NameFromNative(QByteArray::fromStdString(path)))) {
    case PathKind::Missing:
        return "fichier introuvable";
    case PathKind::Forbidden:
        return "accès refusé";
    case PathKind::Folder:
        return "c'est un dossier, pas un fichier";
    case PathKind::Other:
        return "ce n'est pas un fichier ordinaire";
    case PathKind::RegularFile:
        break;
    }
    return "lecture impossible (accès refusé ou erreur de lecture)";
}

OpeningResult OpenEvaluationFile(const std::string& path) {
    DiskEvaluationFiles files;
    const std::optional<EvaluationRecord> stored = ReadEvaluation(files, path);
    if (!stored) {
        return {std::nullopt, WhyUnreadable(path)};
    }
    RiskGrid grid;
    grid.RestoreEvaluation(*stored);
    grid.SetName(QFileInfo(QString::fromStdString(path)).completeBaseName().toStdString());
    OpenedEvaluation opened{grid.Record(), {}, CheckSavedResults(grid.Record())};
    const std::string& savedOn = opened.record.savedOnText;
    opened.savedDate = savedOn.substr(std::min(savedOn.size(), kSavedOnPrefix.size()));
    return {std::move(opened), {}};
}

} // namespace corvane
