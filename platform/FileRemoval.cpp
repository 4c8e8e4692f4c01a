#include "platform/FileRemoval.h"

#include "platform/NativeNames.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace corvane {

#ifdef Q_OS_UNIX

bool DeleteFileForGood(const QString& path) {
    const QByteArray name = NativeName(path);
    struct stat status {};
    if (name.isEmpty() || lstat(name.constData(), &status) != 0 || S_ISDIR(status.st_mode)) {
        return false;
    }
    if (S_ISREG(status.st_mode)) {
        // Not following a link here keeps a file swapped for one in the meantime from having
        // the permissions of what it points to changed. Removal does not depend on them, so a
        // failure here does not stop it.
        fchmodat(AT_FDCWD, name.constData(), (status.st_mode & 07777) | S_IRUSR | S_IWUSR,
                 AT_SYMLINK_NOFOLLOW);
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
