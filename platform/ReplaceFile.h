#pragma once

#include <QByteArrayView>
#include <QString>

namespace corvane {

// Puts `bytes` at `path` as a whole new file: they go to a hidden temporary file beside it, whose
// size is checked on the disk and which is synced, then renamed over whatever file was there.
// On any failure the old file stays as it was and no temporary file is left.
bool ReplaceFileWhole(const QString& path, QByteArrayView bytes);

} // namespace corvane
