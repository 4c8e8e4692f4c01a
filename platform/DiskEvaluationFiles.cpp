#include "DiskEvaluationFiles.h"

#include "platform/SyncToDisk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <filesystem>

namespace corvane {

namespace {

QString QtPath(const std::string& path) {
    return QString::fromStdString(path);
}

std::filesystem::path NativePath(const QString& path) {
    return std::filesystem::path(QDir::toNativeSeparators(path).toStdU16String());
}

class FileByteSource : public ByteSource {
public:
    explicit FileByteSource(const QString& path) : file_(path) {}
    bool Open() { return file_.open(QIODevice::ReadOnly); }

    std::ptrdiff_t Read(char* buffer, std::size_t capacity) override {
        return static_cast<std::ptrdiff_t>(file_.read(buffer, static_cast<qint64>(capacity)));
    }

private:
    QFile file_;
};

// Writes `bytes` into the open file and makes sure that all of them reached the disk. The size
// is checked on the file itself: a write that a full disk cut short can be reported as complete
// by the buffered device.
bool WriteDurably(QFile& file, std::string_view bytes) {
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size || !file.flush()) {
        return false;
    }
    return QFileInfo(file.fileName()).size() == size && SyncToDisk(file.handle());
}

QFileDevice::Permissions PermissionsFor(const QString& path) {
    const QFileInfo existing(path);
    if (existing.exists()) {
        return existing.permissions();
    }
    return QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
           QFileDevice::ReadOther;
}

} // namespace

bool DiskEvaluationFiles::Exists(const std::string& path) {
    // A dangling link still occupies the name.
    const QFileInfo info(QtPath(path));
    return info.exists() || info.isSymLink();
}

bool DiskEvaluationFiles::ReplaceWhole(const std::string& path, std::string_view bytes) {
    const QString target = QtPath(path);
    const QFileInfo targetInfo(target);
    if (targetInfo.isDir()) {
        return false;
    }
    // The temporary file stands beside the target, so that the rename stays on one disk; its
    // name ends in neither "ini" nor "jpeg", so no list ever shows it.
    QTemporaryFile temporary(targetInfo.absolutePath() + "/." + targetInfo.fileName() + ".XXXXXX");
    temporary.setAutoRemove(true);
    if (!temporary.open() || !WriteDurably(temporary, bytes)) {
        return false;
    }
    temporary.setPermissions(PermissionsFor(target));
    temporary.close();

    std::error_code error;
    std::filesystem::rename(NativePath(temporary.fileName()), NativePath(target), error);
    if (error) {
        return false;
    }
    temporary.setAutoRemove(false);
    return true;
}

std::unique_ptr<ByteSource> DiskEvaluationFiles::OpenForReading(const std::string& path) {
    auto source = std::make_unique<FileByteSource>(QtPath(path));
    if (!source->Open()) {
        return nullptr;
    }
    return source;
}

} // namespace corvane
