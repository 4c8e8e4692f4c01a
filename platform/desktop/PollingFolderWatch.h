#pragma once

#include "platform/desktop/FolderWatch.h"

#include <QPointer>

#include <map>
#include <memory>

namespace corvane {

class FolderPoll;

// The system's folder watch, completed: a folder whose changes it does not all tell (a network
// drive or mount, FUSE), or that it cannot follow at all (no watch left), is looked at again every
// two seconds instead, by comparing a signature of its entries read in the background. Its follow
// is told once when the look starts and then at each difference. A follow whose receiver is a
// widget is looked at only while that widget is shown; the first look comes as it shows.
class PollingFolderWatch : public FolderWatch {
public:
    explicit PollingFolderWatch(std::unique_ptr<FolderWatch> notified, int intervalMs = 2000);
    ~PollingFolderWatch() override;
    PollingFolderWatch(const PollingFolderWatch&) = delete;
    PollingFolderWatch& operator=(const PollingFolderWatch&) = delete;

    Handle Follow(const QString& folder, NameFilter concerns, QObject* receiver,
                  std::function<void()> changed) override;
    void Forget(Handle handle) override;
    // Every follow is told of every change, by notification or by looking.
    bool SeesEveryChange(const QString& folder) override;

private:
    struct Followed {
        Handle notified = 0;
        QPointer<FolderPoll> poll; // owned by the receiver, which may go first
    };

    std::unique_ptr<FolderWatch> notified_;
    const int intervalMs_;
    std::map<Handle, Followed> follows_;
    Handle lastHandle_ = 0;
};

} // namespace corvane
