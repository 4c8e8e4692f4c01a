#include "platform/files/DiskEvaluationFiles.h"

#include "platform/files/FolderReading.h"
#include "platform/files/NativeNames.h"
#include "platform/files/RegularFileReading.h"
#include "platform/files/ReplaceFile.h"

#include <QFile>
#include <QFileInfo>

namespace corvane {

namespace {

// The program's paths are the file system's bytes.
QString QtPath(const std::string& path) {
    return NameFromNative(QByteArray::fromStdString(path));
}

} // namespace

bool DiskEvaluationFiles::Exists(const std::string& path) {
    // A dangling link still occupies the name.
    return SomethingAt(QtPath(path));
}

bool DiskEvaluationFiles::IsInsideFolder(const std::string& folder, const std::string& path) {
    const QString resolvedFolder = QFileInfo(QtPath(folder)).canonicalFilePath();
    const QString resolvedParent =
        QFileInfo(QFileInfo(QtPath(path)).absolutePath()).canonicalFilePath();
    if (resolvedFolder.isEmpty() || resolvedParent.isEmpty()) {
        return false;
    }
    // A resolved path ends with "/" only when it is the root.
    const QString within = resolvedFolder.endsWith(QLatin1Char('/'))
                               ? resolvedFolder
                               : resolvedFolder + QLatin1Char('/');
    return resolvedParent.compare(resolvedFolder, FileNameCase()) == 0 ||
           resolvedParent.startsWith(within, FileNameCase());
}

bool DiskEvaluationFiles::ReplaceWhole(const std::string& path, std::string_view bytes) {
    return ReplaceFileWhole(QtPath(path),
                            QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::unique_ptr<ByteSource> DiskEvaluationFiles::OpenForReading(const std::string& path) {
    return OpenRegularFile(QtPath(path));
}

} // namespace corvane
