#pragma once

#include "platform/files/FolderReading.h"

#include <functional>
#include <vector>

namespace corvane {

// What a list is sorted by: one of its columns.
enum class OrderKey { Name, Size, Type, Modified };

// Puts a folder's entries in a list's order, sub-folders first in either direction; returns the
// new row of each former row. Equal keys fall back on the name in French order, then on the
// exact spelling, so that the order never depends on how the folder happened to be read. Sizes
// and times are read when they sort; `typeOf` gives a file's type description and is called
// only when the order is by type. Safe on any thread when the order is not by type.
std::vector<int> PutInOrder(std::vector<FileEntry>& entries, const QString& folder, OrderKey key,
                            bool descending,
                            const std::function<QString(const FileEntry&)>& typeOf = {});

} // namespace corvane
