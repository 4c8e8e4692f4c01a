#include "platform/desktop/FileRemoval.h"

#include <QFile>
#include <QFileInfo>

namespace corvane {

// Elsewhere a read-only attribute keeps a file from being removed, so it is taken off first.
bool DeleteFileForGood(const QString& path) {
    const QFileInfo entry(path);
    if (entry.isDir() && !entry.isSymLink()) {
        return false;
    }
    if (!entry.isSymLink()) {
        if (!entry.exists()) {
            return false;
        }
        QFile::setPermissions(path, entry.permissions() | QFileDevice::ReadOwner |
                                        QFileDevice::WriteOwner);
    }
    return QFile::remove(path);
}

} // namespace corvane
