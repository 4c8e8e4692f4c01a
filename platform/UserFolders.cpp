#include "platform/UserFolders.h"

#include <QStandardPaths>

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
#include <QFile>
#endif

namespace corvane {

namespace {

constexpr char kDataFolderName[] = "corvane";

} // namespace

QString UserDocumentsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)

// Qt's own data location takes a relative XDG_DATA_HOME as it is, which would make the folder
// depend on where the program was started.
QByteArray XdgDataHome() {
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    if (dataHome.startsWith('/')) {
        return dataHome;
    }
    const QByteArray home = qgetenv("HOME");
    if (!home.startsWith('/')) {
        return {};
    }
    return home.endsWith('/') ? home + ".local/share" : home + "/.local/share";
}

QString UserDataFolder() {
    const QByteArray dataHome = XdgDataHome();
    if (dataHome.isEmpty()) {
        return {};
    }
    return QFile::decodeName(dataHome.endsWith('/') ? dataHome : dataHome + '/') + kDataFolderName;
}

#else

// The local application data (%LOCALAPPDATA%) with our own folder name, a place the manual can
// name. Qt's application data location is the roaming one, which a roaming profile would carry,
// megabytes of documents and all, at every logon; and its folder is named after the running
// program, which would move with a rename of the executable.
QString UserDataFolder() {
    const QString local = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return local.isEmpty() ? QString() : local + '/' + kDataFolderName;
}

#endif

} // namespace corvane
