#include "platform/desktop/FileTypes.h"

namespace corvane {

namespace {

// What the desktop's name patterns look at: the text after the last dot, in any letter case.
QString EndingOf(const QString& name) {
    const qsizetype dot = name.lastIndexOf(u'.');
    return (dot < 0 ? name : name.mid(dot + 1)).toLower();
}

// Enough of a file for the desktop's content rules to recognise plain text and the usual formats.
constexpr qint64 kBytesLookedAt = 512;

} // namespace

const FileType& FileTypes::Of(const QString& folder, const FileEntry& entry) {
    return TypeNamed(MimeNameOf(folder, entry));
}

QString FileTypes::MimeNameOf(const QString& folder, const FileEntry& entry) {
    const QString ending = EndingOf(entry.name);
    auto known = byEnding_.find(ending);
    if (known == byEnding_.end()) {
        const QList<QMimeType> byName = mimes_.mimeTypesForFileName(entry.name);
        known = byEnding_.insert(ending, byName.isEmpty() ? QString() : byName.first().name());
    }
    if (!known->isEmpty()) {
        return *known;
    }
    auto read = byContent_.find(entry.name);
    if (read == byContent_.end()) {
        const QByteArray start = ReadFileStart(folder + entry.name, kBytesLookedAt);
        read = byContent_.insert(entry.name,
                                 mimes_.mimeTypeForFileNameAndData(entry.name, start).name());
    }
    return *read;
}

const FileType& FileTypes::TypeNamed(const QString& mimeName) {
    auto found = types_.find(mimeName);
    if (found == types_.end()) {
        const QMimeType mime = mimes_.mimeTypeForName(mimeName);
        QIcon icon = QIcon::fromTheme(mime.iconName(), QIcon::fromTheme(mime.genericIconName()));
        if (icon.isNull()) {
            icon = icons_.icon(QAbstractFileIconProvider::File);
        }
        found = types_.insert(mimeName, {mime.comment(), icon});
    }
    return *found;
}

const QIcon& FileTypes::FolderIcon() {
    if (folderIcon_.isNull()) {
        folderIcon_ = icons_.icon(QAbstractFileIconProvider::Folder);
    }
    return folderIcon_;
}

} // namespace corvane
