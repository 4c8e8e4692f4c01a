#include "platform/files/UserFolders.h"

#include <QStandardPaths>

namespace corvane {

QString UserDocumentsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

} // namespace corvane
