#pragma once

#include <QByteArrayView>
#include <QString>

#include <functional>

namespace corvane {

// Puts `bytes` at `path` as a whole new file: they go to a hidden temporary file beside it, which
// is synced and then renamed over whatever file was there, and the folder is synced so that the
// rename survives a power cut. A new file gets the usual permissions less the user's umask; a
// replaced file keeps its own. A file nobody may write is protected: it is left as it is.
// On any failure the old file stays as it was and no temporary file is left.
// A batch of files written into one folder may leave the folder's sync to SyncFolderOf once the
// last is written: each file is still synced before it takes its name.
enum class FolderSync { Now, Later };

bool ReplaceFileWhole(const QString& path, QByteArrayView bytes,
                      FolderSync folderSync = FolderSync::Now);

enum class NewFileOutcome { Written, AlreadyThere, Failed };

// Puts `bytes` at `path` as ReplaceFileWhole does, but only where nothing is yet: the file appears
// whole under its name, or not at all, and whatever appears there meanwhile is never replaced.
NewFileOutcome WriteNewFileWhole(const QString& path, QByteArrayView bytes,
                                 FolderSync folderSync = FolderSync::Now);

// Syncs the folder of `path`, so that the names given there survive a power cut.
bool SyncFolderOf(const QString& path);

// A file's content made piece by piece: `write` hands each piece to the sink in order, and
// returns false, as the sink does when a piece cannot be written, to give the file up.
using FileSink = std::function<bool(QByteArrayView piece)>;
using FileContent = std::function<bool(const FileSink& sink)>;

// ReplaceFileWhole and WriteNewFileWhole for content too large to hold at once: the file appears
// whole under its name when `write` succeeds, or not at all.
bool ReplaceFileStreamed(const QString& path, const FileContent& write,
                         FolderSync folderSync = FolderSync::Now);
NewFileOutcome WriteNewFileStreamed(const QString& path, const FileContent& write,
                                    FolderSync folderSync = FolderSync::Now);

} // namespace corvane
