#include "store/FolderListing.h"

#include "platform/files/TemporaryFiles.h"

namespace corvane {

bool IsListedName(const QString& name, bool isFolder, const QString& pattern) {
    if (isFolder) {
        return true;
    }
    const QStringView ending = QStringView(pattern).mid(pattern.startsWith(u'*') ? 1 : 0);
    return name.endsWith(ending, Qt::CaseInsensitive) && !IsOwnTemporaryName(name);
}

std::vector<FileEntry> ReadFolderEntries(const QString& folder, const QString& pattern) {
    return ReadFolder(folder, [&pattern](const QString& name, bool isFolder) {
        return IsListedName(name, isFolder, pattern);
    });
}

} // namespace corvane
