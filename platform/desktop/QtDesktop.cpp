#include "platform/desktop/QtDesktop.h"

#include "platform/desktop/OpenWithDesktop.h"
#include "platform/files/UserFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace corvane {

QString WithSeparator(const QString& folder) {
    QString path = QDir::toNativeSeparators(folder);
    if (!path.isEmpty() && !path.endsWith(QDir::separator())) {
        path += QDir::separator();
    }
    return path;
}

static QString DesktopFolderOrEmpty(const QString& folder) {
    return folder.isEmpty() ? QString() : WithSeparator(folder);
}

QString QtDesktop::DocumentsFolder() {
    return DesktopFolderOrEmpty(UserDocumentsFolder());
}

QString QtDesktop::WorkingDirectory() {
    return WithSeparator(QDir::currentPath());
}

QString QtDesktop::UserDataFolder() {
    return DesktopFolderOrEmpty(corvane::UserDataFolder());
}

QtDesktop::~QtDesktop() {
    for (QObject* opening : openings_.children()) {
        opening->disconnect();
    }
}

void QtDesktop::Open(const QString& path, Outcome outcome) {
    OpenWithDesktop(path, std::move(outcome), openings_);
}

void QtDesktop::RunOrOpen(const QString& target, Outcome outcome) {
    const QFileInfo file(target);
    if (file.isFile() && file.isExecutable()) {
        const bool started = QProcess::startDetached(file.absoluteFilePath(), {});
        if (outcome) {
            outcome(started);
        }
        return;
    }
    OpenWithDesktop(target, std::move(outcome), openings_);
}

} // namespace corvane
