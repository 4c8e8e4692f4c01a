#include "platform/QtDesktop.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

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
    return DesktopFolderOrEmpty(
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

QString QtDesktop::WorkingDirectory() {
    return WithSeparator(QDir::currentPath());
}

bool QtDesktop::Open(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool QtDesktop::RunOrOpen(const QString& target) {
    const QFileInfo file(target);
    if (file.isFile() && file.isExecutable()) {
        return QProcess::startDetached(file.absoluteFilePath(), {});
    }
    if (file.exists()) {
        return Open(target);
    }
    return QDesktopServices::openUrl(QUrl(target, QUrl::TolerantMode));
}

} // namespace corvane
