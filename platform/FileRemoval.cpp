#include "platform/FileRemoval.h"

#include "platform/NativeNames.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace corvane {

#ifdef Q_OS_UNIX

// Removing a name depends on its folder's permissions, not on the file's own: a read-only file
// goes as it is, and a file that has other names keeps its permissions under them.
bool DeleteFileForGood(const QString& path) {
    const QByteArray name = NativeName(path);
    struct stat status {};
    if (name.isEmpty() || lstat(name.constData(), &status) != 0 || S_ISDIR(status.st_mode)) {
        return false;
    }
    return unlink(name.constData()) == 0;
}

#else

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

#endif

} // namespace corvane
