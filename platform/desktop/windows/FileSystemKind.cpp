#include "platform/desktop/FileSystemKind.h"

#include <QDir>
#include <QFileInfo>

#include <string>

#include <windows.h>

namespace corvane {

// A network drive's changes made by other machines are not all told, as on network mounts
// elsewhere; a path on a share named by its server (\\server\share) is on one too.
bool NotificationsSeeEveryChange(const QString& folder) {
    const std::wstring path =
        QDir::toNativeSeparators(QFileInfo(folder).absoluteFilePath()).toStdWString();
    if (path.starts_with(L"\\\\") && !path.starts_with(L"\\\\?\\") &&
        !path.starts_with(L"\\\\.\\")) {
        return false;
    }
    wchar_t volume[MAX_PATH + 1] = {};
    if (!GetVolumePathNameW(path.c_str(), volume, MAX_PATH)) {
        return true;
    }
    return GetDriveTypeW(volume) != DRIVE_REMOTE;
}

} // namespace corvane
