#pragma once

#include "platform/files/FolderReading.h"

namespace corvane {

// Whether a file list whose files end with `pattern` ("*ini": any name ending in "ini", in any
// letter case) shows the entry of that name. Every sub-folder is shown, hidden ones too; the
// program's own temporary files never are.
bool IsListedName(const QString& name, bool isFolder, const QString& pattern);

// The entries of `folder` that a file list shows, in no particular order. The content of
// sub-folders is never read. A folder that cannot be read gives no entries.
std::vector<FileEntry> ReadFolderEntries(const QString& folder, const QString& pattern);

} // namespace corvane
