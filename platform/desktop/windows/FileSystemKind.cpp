#include "platform/desktop/FileSystemKind.h"

#include <QDir>

#include <string>
#include <vector>

#include <windows.h>

namespace corvane {

// A network drive's changes made by other machines are not all told, as on network mounts
// elsewhere; nor are those of a share named by its server (\\server\share, \\?\UNC\server\share).
// \\?\C:\ and \\.\ paths are on this machine.
bool NotificationsSeeEveryChange(const QString& folder) {
    const QString path = QDir::cleanPath(QDir::current().absoluteFilePath(folder));
    const bool share =
        (path.startsWith(u"//") && !path.startsWith(u"//?/") && !path.startsWith(u"//./")) ||
        path.startsWith(u"//?/UNC/", Qt::CaseInsensitive);
    if (share) {
        return false;
    }
    const std::wstring native = QDir::toNativeSeparators(path).toStdWString();
    std::vector<wchar_t> root(native.size() + MAX_PATH + 1);
    if (!GetVolumePathNameW(native.c_str(), root.data(), static_cast<DWORD>(root.size()))) {
        return true;
    }
    return GetDriveTypeW(root.data()) != DRIVE_REMOTE;
}

} // namespace corvane
