#include "platform/files/UserFolders.h"

#include <QStandardPaths>

namespace corvane {

// The local application data (%LOCALAPPDATA%) with our own folder name, a place the manual can
// name. Qt's application data location is the roaming one, which a roaming profile would carry,
// megabytes of documents and all, at every logon; and its folder is named after the running
// program, which would move with a rename of the executable.
QString UserDataFolder() {
    const QString local = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return local.isEmpty() ? QString() : local + '/' + kDataFolderName;
}

} // namespace corvane
