#include "platform/DetachedOpen.h"

#ifdef Q_OS_WIN
#include <QDesktopServices>
#include <QUrl>
#else
#include <QProcess>
#endif

namespace corvane {

bool StartDesktopOpen(const QString& path) {
#ifdef Q_OS_WIN
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
#else
    return QProcess::startDetached(QStringLiteral("xdg-open"), {path});
#endif
}

} // namespace corvane
