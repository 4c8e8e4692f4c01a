#pragma once

#include "platform/desktop/FolderWatch.h"

#include <memory>

namespace corvane {

// Follows folders with Linux inotify, from one background thread for all of them. A burst of
// changes is told once: the thread waits for a short quiet moment before posting.
//
// Following the same folder twice gives two independent follows, each told of its own changes
// and forgotten on its own. While a followed folder is missing (not made yet, deleted, moved
// away), its nearest existing ancestor is watched for the name that leads to it, climbing
// further up if that ancestor goes too; changes there about other names tell nothing. Every
// follow concerned is told of a change when its folder goes, when it is followed again, and
// when the system lost events, so that its list is read again.
//
// A follow's filter and `changed` may be destroyed on the watch's thread: they should capture
// nothing that must die on the receiver's.
class InotifyFolderWatch : public FolderWatch {
public:
    InotifyFolderWatch();
    ~InotifyFolderWatch() override;
    InotifyFolderWatch(const InotifyFolderWatch&) = delete;
    InotifyFolderWatch& operator=(const InotifyFolderWatch&) = delete;

    Handle Follow(const QString& folder, NameFilter concerns, QObject* receiver,
                  std::function<void()> changed) override;
    void Forget(Handle handle) override;
    // Not on network file systems and FUSE mounts.
    bool SeesEveryChange(const QString& folder) override;

private:
    class Watcher;
    std::unique_ptr<Watcher> watcher_;
};

} // namespace corvane
