#pragma once

#include "platform/desktop/FolderWatch.h"

#include <QObject>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>

// What the system watches share about telling a follow, whichever system's notifications they read.
namespace corvane {

// A burst of changes is over once the folder has been quiet this long...
inline constexpr std::chrono::milliseconds kQuietPeriod{20};
// ...or this long after its first change, so that a steady stream of changes is still told.
inline constexpr std::chrono::milliseconds kLongestBurst{100};

// One follow: which names concern it and whom it tells. Calls posted to the receiver hold it,
// so it outlives Forget and the watch.
class FollowerCalls : public std::enable_shared_from_this<FollowerCalls> {
public:
    FollowerCalls(FolderWatch::NameFilter concerns, std::function<void()> changed)
        : concerns_(std::move(concerns)), changed_(std::move(changed)) {}

    void TellFromNowOn(QObject* receiver);
    // Posts a call to the receiver's thread, unless one is still waiting there: that one reads
    // the folder after this change anyway. Called on the watch's thread.
    void Post();
    // No call is made from now on, not even one already posted.
    void Stop();

protected:
    const FolderWatch::NameFilter& NameConcerns() const { return concerns_; }

private:
    void Deliver();
    bool Active();

    const FolderWatch::NameFilter concerns_;
    const std::function<void()> changed_;
    std::atomic<bool> pending_{false};
    std::mutex mutex_; // guards the receiver, which the watch's thread posts to
    QObject* receiver_ = nullptr;
    QMetaObject::Connection receiverGone_;
};

} // namespace corvane
