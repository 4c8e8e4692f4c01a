#include "platform/desktop/AppPaths.h"

#include "platform/desktop/Desktop.h"
#include "platform/files/FolderReading.h"
#include "platform/files/TemporaryFiles.h"
#include "platform/files/UserFolders.h"

#include <QDir>
#include <QFileInfo>

namespace corvane {

namespace {

// Creates one folder level when nothing is at the path; a failure shows later, when a file
// cannot be written there.
QString PrepareFolder(const QString& documents, const QString& name) {
    const QString path = documents + name;
    if (!SomethingAt(path)) {
        QDir().mkdir(path);
    }
    return path + QDir::separator();
}

} // namespace

AppPaths PrepareAppPaths(Desktop& desktop) {
    const QString documents = desktop.DocumentsFolder();
    // A new account may have no Documents folder yet; without it nothing could be saved.
    if (!documents.isEmpty() && !SomethingAt(documents)) {
        QDir().mkpath(documents);
    }
    AppPaths paths;
    paths.evaluations = PrepareFolder(documents, kEvaluationsFolderName);
    paths.images = PrepareFolder(documents, kImagesFolderName);
    paths.dossiers = documents + kDossiersFolderName + QDir::separator();
    RemoveStaleTemporaries(paths.evaluations);
    RemoveStaleTemporaries(paths.images);
    paths.userData = desktop.UserDataFolder();
    const QString here = desktop.WorkingDirectory();
    paths.referencePdf = here + QStringLiteral("RNMSC-DPS_octobre_2006.pdf");
    paths.formUnder5000Pdf = here + QStringLiteral("Formulaire moins de 5000.pdf");
    paths.formOver5000Pdf = here + QStringLiteral("Formulaire simplifié + de 5000 personnes.pdf");
    paths.gridPdf = here + QStringLiteral("Grille_évaluation.pdf");
    paths.flowchartPdf = here + QStringLiteral("logigramme_GR.pdf");
    return paths;
}

QString LocateAppFile(const AppPaths& paths, const QString& workingPath) {
    if (QFileInfo::exists(workingPath)) {
        return workingPath;
    }
    if (paths.userData.isEmpty()) {
        return {};
    }
    const QString inUserData = paths.userData + QFileInfo(workingPath).fileName();
    return QFileInfo::exists(inUserData) ? inUserData : QString();
}

} // namespace corvane
