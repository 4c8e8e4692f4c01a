#include "platform/QtDesktop.h"

#include "platform/NativeNames.h"
#include "platform/OpenWithDesktop.h"
#include "platform/PropertiesWindow.h"
#include "platform/RecycleBin.h"
#include "platform/UserFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#ifdef CORVANE_FILE_MANAGER_DBUS
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#endif

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

#ifdef CORVANE_FILE_MANAGER_DBUS

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

#else

void QtDesktop::ShowProperties(const QString& path) {
    ShowPropertiesWindow(path);
}

#endif

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)

// Qt's own trash spins for ever on names of about 246 bytes and more, and cannot reach names that
// are not valid UTF-8.
RecycleOutcome QtDesktop::MoveToRecycleBin(const QString& path) {
    return MoveToTrash(NativeName(path));
}

#else

RecycleOutcome QtDesktop::MoveToRecycleBin(const QString& path) {
    return QFile::moveToTrash(path) ? RecycleOutcome::Moved : RecycleOutcome::Failed;
}

#endif

} // namespace corvane
