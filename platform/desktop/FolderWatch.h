#pragma once

#include <QString>

#include <functional>
#include <memory>

class QObject;

namespace corvane {

// Tells the program when what a folder holds changes: an entry created, deleted or renamed, or
// an entry's attributes, size or last-write time changed (writes into an existing file
// included). Sub-folders are not followed.
class FolderWatch {
public:
    using Handle = int;
    // Whether a change to the entry of that name concerns the follower; called on the watch's
    // own thread, so it must hold no state. An empty filter takes every name.
    using NameFilter = std::function<bool(const QString& name, bool isFolder)>;

    virtual ~FolderWatch() = default;

    // Starts following `folder`. `changed` runs on `receiver`'s thread, never while an earlier
    // call of the same follow is still pending, and never after `receiver` is gone or the
    // follow is forgotten. The path is what is followed: a folder missing, or deleted, moved
    // away or replaced later, is waited for at that path, and the follow is told when the
    // folder goes and again when it is there to be read. Returns 0 when the path names
    // something that is not a folder, when nothing on the way to it can be followed, or when
    // there is no receiver.
    virtual Handle Follow(const QString& folder, NameFilter concerns, QObject* receiver,
                          std::function<void()> changed) = 0;
    virtual void Forget(Handle handle) = 0;

    // Whether a follow of `folder` is told of every change, those made by other machines or
    // behind a mount included. A folder whose changes are not all told has to be looked at
    // again from time to time.
    virtual bool SeesEveryChange(const QString& folder) = 0;
};

// The folder watch of the platform the program runs on.
std::unique_ptr<FolderWatch> MakeFolderWatch();

} // namespace corvane
