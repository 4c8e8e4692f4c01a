#pragma once

#include <QFileDevice>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace corvane {

// One entry of a folder: a sub-folder, or anything else, which counts as a file.
struct FileEntry {
    QString name;
    bool isFolder = false;
    // Whether size and modifiedMs hold the entry's details yet: a folder is read by names and
    // kinds first, and the details of an entry are read when they are needed.
    bool detailsRead = false;
    // Set when the details could not be read: the entry went away, or its name does not survive
    // the trip through the program's text.
    bool detailsMissing = false;
    qint64 size = 0;
    qint64 modifiedMs = 0; // last write, milliseconds since the epoch
};

// The entries of `folder` (without "." and ".."), hidden ones included, that `keep` accepts,
// in no particular order. A link counts as what it leads to; a link that leads nowhere counts as
// a file. The content of sub-folders is never read, nor that of any file. A folder that cannot
// be read gives no entries.
std::vector<FileEntry>
ReadFolder(const QString& folder,
           const std::function<bool(const QString& name, bool isFolder)>& keep);

// Reads the size and last-write time of an entry of `folder`, once.
void ReadDetails(const QString& folder, FileEntry& entry);

// A summary of what `folder` holds, cheap to make: its names and kinds, its identity and its
// last change. Two equal summaries mean, as far as can be seen without looking at each entry,
// that nothing was added, removed or renamed. 0 for a folder that cannot be read.
quint64 FolderSignature(const QString& folder);

// Whether anything is at `path`, a link that leads nowhere included.
bool SomethingAt(const QString& path);

// What stands at a path, a link counting as what it leads to.
enum class PathKind { Missing, Forbidden, Folder, RegularFile, Other };
PathKind KindAt(const QString& path);

// What a properties sheet shows of an entry; a link counts as what it leads to.
struct EntryStatus {
    bool isFolder = false;
    qint64 size = 0;
    qint64 modifiedMs = 0; // last write, milliseconds since the epoch
    QFileDevice::Permissions permissions;
    QString owner;
};
std::optional<EntryStatus> ReadEntryStatus(const QString& path);

// The first bytes of a regular file, at most `count` of them; nothing for anything else (a pipe,
// a device), so that a look at a file's content can never wait.
QByteArray ReadFileStart(const QString& path, qint64 count);

} // namespace corvane
