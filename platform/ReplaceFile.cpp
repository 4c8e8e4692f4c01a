#include "platform/ReplaceFile.h"

#include "platform/SyncToDisk.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <filesystem>

namespace corvane {

namespace {

std::filesystem::path NativePath(const QString& path) {
    return std::filesystem::path(QDir::toNativeSeparators(path).toStdU16String());
}

// The size is checked on the file itself: a write that a full disk cut short can be reported as
// complete by the buffered device.
bool WriteDurably(QFile& file, QByteArrayView bytes) {
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size || !file.flush()) {
        return false;
    }
    return QFileInfo(file.fileName()).size() == size && SyncToDisk(file.handle());
}

QFileDevice::Permissions PermissionsFor(const QFileInfo& target) {
    if (target.exists()) {
        return target.permissions();
    }
    return QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
           QFileDevice::ReadOther;
}

} // namespace

bool ReplaceFileWhole(const QString& path, QByteArrayView bytes) {
    const QFileInfo target(path);
    if (target.isDir()) {
        return false;
    }
    // Beside the target, so that the rename stays on one disk; its name ends in neither "ini" nor
    // "jpeg", so no file list ever shows it.
    QTemporaryFile temporary(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                             QStringLiteral(".XXXXXX"));
    temporary.setAutoRemove(true);
    if (!temporary.open() || !WriteDurably(temporary, bytes)) {
        return false;
    }
    temporary.setPermissions(PermissionsFor(target));
    temporary.close();

    std::error_code error;
    std::filesystem::rename(NativePath(temporary.fileName()), NativePath(path), error);
    if (error) {
        return false;
    }
    temporary.setAutoRemove(false);
    return true;
}

} // namespace corvane
