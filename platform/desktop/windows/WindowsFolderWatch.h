#pragma once

#include "platform/desktop/FolderWatch.h"

#include <memory>

namespace corvane {

// Follows folders with ReadDirectoryChangesW, from one background thread for all of them, which
// starts with the first follow. A burst of changes is told once: the thread waits for a short
// quiet moment before posting.
//
// Following the same folder twice gives two independent follows, each told of its own changes
// and forgotten on its own. Windows tells a folder nothing when it is itself renamed, so the
// parent of each followed folder is watched too, for the folder's name. While a followed folder
// is missing (not made yet, deleted, moved away), its nearest existing ancestor is watched for
// the name that leads to it, climbing further up if that ancestor goes too; changes there about
// other names tell nothing. Every follow concerned is told of a change when its folder goes,
// when it is followed again, and when the system lost events, so that its list is read again.
//
// Names are compared without letter case, as Windows does. A sub-folder whose last-write time
// changes tells nothing: on Windows it changes with what the sub-folder holds.
//
// A follow's filter and `changed` may be destroyed on the watch's thread: they should capture
// nothing that must die on the receiver's.
class WindowsFolderWatch : public FolderWatch {
public:
    WindowsFolderWatch();
    ~WindowsFolderWatch() override;
    WindowsFolderWatch(const WindowsFolderWatch&) = delete;
    WindowsFolderWatch& operator=(const WindowsFolderWatch&) = delete;

    Handle Follow(const QString& folder, NameFilter concerns, QObject* receiver,
                  std::function<void()> changed) override;
    void Forget(Handle handle) override;
    // Not on network drives and shares, where changes made by other machines may go untold.
    bool SeesEveryChange(const QString& folder) override;

private:
    class Watcher;
    std::unique_ptr<Watcher> watcher_;
};

} // namespace corvane
