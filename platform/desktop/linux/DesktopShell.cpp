#include "platform/desktop/QtDesktop.h"

#include "platform/desktop/PropertiesWindow.h"
#include "platform/desktop/linux/RecycleBin.h"
#include "platform/files/NativeNames.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QFileInfo>

namespace corvane {

namespace {

// Long enough for a file manager that has to start first.
constexpr int kFileManagerAnswerMs = 10000;

// Asks the desktop's file manager for its properties sheet without waiting for it; the
// program's own window stands in when the file manager cannot be reached or refuses.
void AskFileManagerForProperties(const QString& path) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItemProperties"));
    // Every byte of the name reaches the file manager, text or not.
    call << QStringList{FileUrlOf(QFileInfo(path).absoluteFilePath())} << QString();
    const QDBusPendingCall pending =
        QDBusConnection::sessionBus().asyncCall(call, kFileManagerAnswerMs);
    // Without a session bus the call has failed already, and a watcher would never say so.
    if (pending.isFinished()) {
        if (pending.isError()) {
            ShowPropertiesWindow(path);
        }
        return;
    }
    auto* answer = new QDBusPendingCallWatcher(pending, QCoreApplication::instance());
    QObject::connect(answer, &QDBusPendingCallWatcher::finished, answer,
                     [path](QDBusPendingCallWatcher* finished) {
                         if (finished->isError()) {
                             ShowPropertiesWindow(path);
                         }
                         finished->deleteLater();
                     });
}

} // namespace

void QtDesktop::ShowProperties(const QString& path) {
    AskFileManagerForProperties(path);
}

// Qt's own trash spins for ever on names of about 246 bytes and more, and cannot reach names that
// are not valid UTF-8.
RecycleOutcome QtDesktop::MoveToRecycleBin(const QString& path) {
    return MoveToTrash(NativeName(path));
}

} // namespace corvane
