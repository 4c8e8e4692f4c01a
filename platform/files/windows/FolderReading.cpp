#include "platform/files/FolderReading.h"

#include <QDateTime>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace corvane {

std::vector<FileEntry> ReadFolder(const QString& folder,
                                  const std::function<bool(const QString&, bool)>& keep) {
    std::vector<FileEntry> entries;
    QDirIterator found(folder,
                       QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (found.hasNext()) {
        found.next();
        const QFileInfo info = found.fileInfo();
        if (keep(info.fileName(), info.isDir())) {
            entries.push_back({info.fileName(), info.isDir()});
        }
    }
    return entries;
}

void ReadDetails(const QString& folder, FileEntry& entry) {
    if (entry.detailsRead) {
        return;
    }
    const QFileInfo info(folder + entry.name);
    entry.detailsMissing = !info.exists();
    entry.size = entry.isFolder ? 0 : info.size();
    entry.modifiedMs = info.lastModified().toMSecsSinceEpoch();
    entry.detailsRead = true;
}

QByteArray ReadFileStart(const QString& path, qint64 count) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.read(count);
}

quint64 FolderSignature(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.isDir()) {
        return 0;
    }
    QStringList names;
    QDirIterator found(folder,
                       QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (found.hasNext()) {
        names << found.next();
    }
    names << QString::number(info.lastModified().toMSecsSinceEpoch());
    const quint64 hash = qHash(names.join(QChar(0)), 0);
    return hash == 0 ? 1 : hash;
}

bool SomethingAt(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

PathKind KindAt(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return PathKind::Missing;
    }
    if (info.isDir()) {
        return PathKind::Folder;
    }
    return info.isFile() ? PathKind::RegularFile : PathKind::Other;
}

std::optional<EntryStatus> ReadEntryStatus(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return std::nullopt;
    }
    return EntryStatus{info.isDir(), info.size(), info.lastModified().toMSecsSinceEpoch(),
                       info.permissions(), info.owner()};
}

} // namespace corvane
