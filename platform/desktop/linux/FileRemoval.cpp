#include "platform/desktop/FileRemoval.h"

#include "platform/files/NativeNames.h"

#include <sys/stat.h>
#include <unistd.h>

namespace corvane {

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

} // namespace corvane
