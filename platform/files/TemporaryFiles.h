#pragma once

#include <QString>

namespace corvane {

// The name of a new temporary file, written beside the file it will replace: hidden, short and
// always of the same length, so that it fits wherever the final name fits, and ending in ".tmp",
// so that no file list ever shows it.
QString NewTemporaryName();

// Whether a file name is one of the program's temporary files: the present form, or the
// ".NAME.ini.XXXXXX" form that earlier versions wrote.
bool IsOwnTemporaryName(const QString& name);

// Removes the program's temporary files in the folder that are older than an hour: a save that
// was killed part-way leaves its temporary behind. Younger ones may belong to a save in progress
// in another copy of the program.
void RemoveStaleTemporaries(const QString& folder);

} // namespace corvane
