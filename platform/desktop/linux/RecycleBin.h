#pragma once

#include "platform/desktop/RecycleOutcome.h"

#include <QByteArray>

#include <functional>
#include <optional>

namespace corvane {

// Moves the entry at `path` (the file system's own bytes; a relative path counts from the working
// folder) into the user's freedesktop.org trash, where desktop file managers find and restore it:
// the home trash for entries on its file system, otherwise the trash at the top of the entry's
// mount.
// Files, folders and links (the link itself) all go. Only a trash that the user alone can write
// into is used: its folders are never reached through a link, must be the user's, and are made
// private when others may write into them. On any failure the entry stays where it was and no
// .trashinfo is left behind; the outcome says why. Nothing is ever copied across file systems,
// and every search for a free name is bounded.
RecycleOutcome MoveToTrash(const QByteArray& path);

// The device number of what is at a path, links not followed, or nothing when nothing is there.
using DeviceOf = std::function<std::optional<quint64>(const QByteArray& path)>;

// MoveToTrash with the file systems told apart by `deviceOf` instead of the disk, so that the
// choice between the home trash and a mount's own can be tried without mounting anything.
RecycleOutcome MoveToTrash(const QByteArray& path, const DeviceOf& deviceOf);

} // namespace corvane
