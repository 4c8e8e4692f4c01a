#include "platform/desktop/OpenWithDesktop.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace corvane {

void OpenWithDesktop(const QString& target, Desktop::Outcome outcome, QObject& /*owner*/) {
    const QUrl url =
        QFileInfo::exists(target) ? QUrl::fromLocalFile(target) : QUrl(target, QUrl::TolerantMode);
    const bool opened = QDesktopServices::openUrl(url);
    if (outcome) {
        outcome(opened);
    }
}

} // namespace corvane
