#include "platform/files/UserFolders.h"
#include "platform/files/linux/XdgDataHome.h"

#include <QFile>

namespace corvane {

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

} // namespace corvane
