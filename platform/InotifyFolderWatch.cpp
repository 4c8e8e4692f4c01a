#include "platform/InotifyFolderWatch.h"

#include <QFile>
#include <QObject>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <vector>

#include <cerrno>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace corvane {

namespace {

using std::chrono::milliseconds;

constexpr std::uint32_t kFollowedEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                          IN_ATTRIB | IN_MODIFY | IN_CLOSE_WRITE | IN_DELETE_SELF |
                                          IN_MOVE_SELF | IN_ONLYDIR;
// A burst of events is over once the folder has been quiet this long...
constexpr milliseconds kQuietPeriod{20};
// ...or this long after its first event, so that a steady stream of changes is still told.
constexpr milliseconds kLongestBurst{100};
// Following and forgetting give up on the table after this long rather than freeze the window.
constexpr milliseconds kLongestTableWait{5000};
constexpr std::size_t kReadSize = 64 * 1024;

// Closes the descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }

private:
    const int fd_;
};

// One follow: which names concern it and whom it tells. Calls posted to the receiver hold it,
// so it outlives Forget and the watch.
class Follower : public std::enable_shared_from_this<Follower> {
public:
    Follower(FolderWatch::NameFilter concerns, std::function<void()> changed, int watch)
        : concerns_(std::move(concerns)), changed_(std::move(changed)), watch_(watch) {}

    int Watch() const { return watch_; }

    // An event without a name is about the folder itself or about lost events: it always
    // concerns the follower. Called on the watch's thread.
    bool Concerns(const inotify_event& event) const {
        return event.len == 0 || !concerns_ ||
               concerns_(QFile::decodeName(event.name), (event.mask & IN_ISDIR) != 0);
    }

    void TellFromNowOn(QObject* receiver) {
        const std::lock_guard lock(mutex_);
        receiver_ = receiver;
        receiverGone_ = QObject::connect(receiver, &QObject::destroyed, [weak = weak_from_this()] {
            if (const auto self = weak.lock()) {
                self->Stop();
            }
        });
    }

    // Posts a call to the receiver's thread, unless one is still waiting there: that one reads
    // the folder after this change anyway. Called on the watch's thread.
    void Post() {
        if (pending_.exchange(true)) {
            return;
        }
        // Held while posting: a receiver being destroyed waits for it in Stop, and then drops
        // what was posted to it.
        const std::lock_guard lock(mutex_);
        if (receiver_ == nullptr) {
            return;
        }
        const bool posted = QMetaObject::invokeMethod(
            receiver_, [self = shared_from_this()] { self->Deliver(); }, Qt::QueuedConnection);
        if (!posted) {
            pending_ = false;
        }
    }

    // No call is made from now on, not even one already posted.
    void Stop() {
        const std::lock_guard lock(mutex_);
        receiver_ = nullptr;
        QObject::disconnect(receiverGone_);
    }

private:
    void Deliver() {
        // Cleared first, so that a change during the call brings one more call.
        pending_ = false;
        if (Active()) {
            changed_();
        }
    }

    bool Active() {
        const std::lock_guard lock(mutex_);
        return receiver_ != nullptr;
    }

    const FolderWatch::NameFilter concerns_;
    const std::function<void()> changed_;
    const int watch_;
    std::atomic<bool> pending_{false};
    std::mutex mutex_; // guards the receiver, which the watch's thread posts to
    QObject* receiver_ = nullptr;
    QMetaObject::Connection receiverGone_;
};

// The follows a burst of events concerns, in the order of their first event.
using Burst = std::vector<std::shared_ptr<Follower>>;

} // namespace

class InotifyFolderWatch::Watcher {
public:
    Watcher()
        : inotify_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)),
          wake_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
        if (inotify_.Valid() && wake_.Valid()) {
            thread_ = std::thread([this] { Run(); });
        }
    }

    Watcher(const Watcher&) = delete;
    Watcher& operator=(const Watcher&) = delete;

    ~Watcher() {
        if (thread_.joinable()) {
            WakeToStop();
            thread_.join();
        }
        for (const auto& [handle, follower] : followers_) {
            follower->Stop();
        }
    }

    Handle Follow(const QString& folder, NameFilter concerns, QObject* receiver,
                  std::function<void()> changed) {
        if (receiver == nullptr || !thread_.joinable() || broken_) {
            return 0;
        }
        const auto table = LockTable();
        if (!table.owns_lock()) {
            return 0;
        }
        // The same folder gives the same watch again; each follow is kept beside the others.
        const int watch = inotify_add_watch(inotify_.Get(), QFile::encodeName(folder).constData(),
                                            kFollowedEvents);
        if (watch < 0) {
            return 0;
        }
        auto follower = std::make_shared<Follower>(std::move(concerns), std::move(changed), watch);
        follower->TellFromNowOn(receiver);
        const Handle handle = ++lastHandle_;
        followers_.emplace(handle, follower);
        byWatch_[watch].push_back(std::move(follower));
        return handle;
    }

    void Forget(Handle handle) {
        std::shared_ptr<Follower> follower;
        {
            const auto table = LockTable();
            const auto found = table.owns_lock() ? followers_.find(handle) : followers_.end();
            if (found == followers_.end()) {
                return;
            }
            follower = std::move(found->second);
            followers_.erase(found);
            LeaveWatch(*follower);
        }
        follower->Stop();
    }

private:
    enum class Wait { Events, Quiet, Stop };

    void Run() {
        Burst burst;
        while (WaitForEvents(-1) == Wait::Events) {
            ReadEvents(burst);
            if (burst.empty()) {
                continue;
            }
            if (!GatherBurst(burst)) {
                return;
            }
            if (!broken_) {
                for (const auto& follower : burst) {
                    follower->Post();
                }
            }
            burst.clear();
        }
    }

    // Blocks until there are events, the watch stops, or `timeoutMs` pass (-1: no limit).
    Wait WaitForEvents(int timeoutMs) const {
        pollfd sources[] = {{inotify_.Get(), POLLIN, 0}, {wake_.Get(), POLLIN, 0}};
        int ready = 0;
        do {
            ready = poll(sources, 2, timeoutMs);
        } while (ready < 0 && errno == EINTR);
        if (ready < 0 || sources[1].revents != 0 || (sources[0].revents & ~POLLIN) != 0) {
            return Wait::Stop;
        }
        return ready == 0 ? Wait::Quiet : Wait::Events;
    }

    // Keeps reading after a first event that counts until the folders are quiet for a moment,
    // so that a burst of changes is told once. False when the watch stops meanwhile.
    bool GatherBurst(Burst& burst) {
        const auto end = std::chrono::steady_clock::now() + kLongestBurst;
        while (true) {
            const auto left =
                std::chrono::duration_cast<milliseconds>(end - std::chrono::steady_clock::now());
            if (left <= milliseconds(0)) {
                return true;
            }
            switch (WaitForEvents(static_cast<int>(std::min(kQuietPeriod, left).count()))) {
            case Wait::Stop:
                return false;
            case Wait::Quiet:
                return true;
            case Wait::Events:
                ReadEvents(burst);
                break;
            }
        }
    }

    void ReadEvents(Burst& burst) {
        alignas(inotify_event) char buffer[kReadSize];
        while (true) {
            const ssize_t length = read(inotify_.Get(), buffer, sizeof buffer);
            if (length < 0 && errno == EINTR) {
                continue;
            }
            if (length <= 0) {
                return;
            }
            for (const char* at = buffer; at < buffer + length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                AddConcerned(*event, burst);
                at += sizeof(inotify_event) + event->len;
            }
        }
    }

    void AddConcerned(const inotify_event& event, Burst& burst) {
        for (auto& follower : FollowersOf(event)) {
            if (std::find(burst.begin(), burst.end(), follower) == burst.end() &&
                follower->Concerns(event)) {
                burst.push_back(std::move(follower));
            }
        }
    }

    // Copied, so that the name filters run without the table. Lost events concern every
    // follow; a watch the system dropped (its folder deleted) is forgotten.
    std::vector<std::shared_ptr<Follower>> FollowersOf(const inotify_event& event) {
        std::vector<std::shared_ptr<Follower>> followers;
        const auto table = LockTable();
        if (!table.owns_lock()) {
            return followers;
        }
        if ((event.mask & IN_Q_OVERFLOW) != 0) {
            for (const auto& [handle, follower] : followers_) {
                followers.push_back(follower);
            }
            return followers;
        }
        const auto found = byWatch_.find(event.wd);
        if (found != byWatch_.end()) {
            followers = found->second;
            if ((event.mask & IN_IGNORED) != 0) {
                byWatch_.erase(found);
            }
        }
        return followers;
    }

    // The system's watch goes with the folder's last follow.
    void LeaveWatch(const Follower& follower) {
        const auto found = byWatch_.find(follower.Watch());
        if (found == byWatch_.end()) {
            return;
        }
        std::erase_if(found->second, [&](const auto& other) { return other.get() == &follower; });
        if (found->second.empty()) {
            inotify_rm_watch(inotify_.Get(), found->first);
            byWatch_.erase(found);
        }
    }

    // A table held too long means something is stuck: the watch then stops telling anything
    // for good rather than block the window.
    std::unique_lock<std::timed_mutex> LockTable() {
        std::unique_lock lock(tableMutex_, kLongestTableWait);
        if (!lock.owns_lock()) {
            broken_ = true;
        }
        return lock;
    }

    void WakeToStop() const {
        const std::uint64_t one = 1;
        while (write(wake_.Get(), &one, sizeof one) < 0 && errno == EINTR) {
        }
    }

    const Descriptor inotify_;
    const Descriptor wake_;
    std::timed_mutex tableMutex_;
    std::map<Handle, std::shared_ptr<Follower>> followers_;
    std::unordered_map<int, std::vector<std::shared_ptr<Follower>>> byWatch_;
    Handle lastHandle_ = 0;
    std::atomic<bool> broken_{false};
    std::thread thread_;
};

InotifyFolderWatch::InotifyFolderWatch() = default;

InotifyFolderWatch::~InotifyFolderWatch() = default;

// The thread starts with the first follow: a program that never shows a list never needs it.
FolderWatch::Handle InotifyFolderWatch::Follow(const QString& folder, NameFilter concerns,
                                               QObject* receiver, std::function<void()> changed) {
    if (!watcher_) {
        watcher_ = std::make_unique<Watcher>();
    }
    return watcher_->Follow(folder, std::move(concerns), receiver, std::move(changed));
}

void InotifyFolderWatch::Forget(Handle handle) {
    if (watcher_) {
        watcher_->Forget(handle);
    }
}

} // namespace corvane
