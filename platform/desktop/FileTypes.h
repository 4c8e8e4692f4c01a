#pragma once

#include "platform/files/FolderReading.h"

#include <QFileIconProvider>
#include <QHash>
#include <QIcon>
#include <QMimeDatabase>

namespace corvane {

// The desktop's description and icon of a file's type.
struct FileType {
    QString description;
    QIcon icon;
};

// Finds the types of a list's files: by the name's ending where the desktop knows it, otherwise
// from the first bytes of the file (an evaluation's ".ini" is known to no desktop by its name,
// yet is plain text). Each ending and each type is looked up once.
class FileTypes {
public:
    const FileType& Of(const QString& folder, const FileEntry& entry);
    const QIcon& FolderIcon();
    // Files may have new contents after the folder is read again.
    void ForgetContents() { byContent_.clear(); }

private:
    QString MimeNameOf(const QString& folder, const FileEntry& entry);
    const FileType& TypeNamed(const QString& mimeName);

    QMimeDatabase mimes_;
    QFileIconProvider icons_;
    QIcon folderIcon_;
    QHash<QString, QString> byEnding_; // empty: the ending says nothing
    QHash<QString, QString> byContent_;
    QHash<QString, FileType> types_;
};

} // namespace corvane
