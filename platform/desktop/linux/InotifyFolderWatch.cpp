#include "platform/desktop/linux/InotifyFolderWatch.h"

#include "platform/desktop/FileSystemKind.h"
#include "platform/desktop/FollowerCalls.h"

#include "platform/files/NativeNames.h"
#include "platform/files/linux/Posix.h"

#include <QDir>
#include <QObject>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <iterator>
#include <map>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <vector>

#include <cerrno>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {

namespace {

using std::chrono::milliseconds;

// Every watch is made with this one mask, whether it follows a folder or waits in an ancestor
// for a missing folder: a second inotify_add_watch on the same folder replaces the mask of the
// first, which both uses then share.
constexpr std::uint32_t kFollowedEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                          IN_ATTRIB | IN_MODIFY | IN_CLOSE_WRITE | IN_DELETE_SELF |
                                          IN_MOVE_SELF | IN_ONLYDIR;
// The watched folder is no longer at its path. After a move the watch would follow it to its
// new place, so it is given up as well.
constexpr std::uint32_t kWatchLost = IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT | IN_IGNORED;
// A name awaited in an ancestor may now lead further: made, moved in, or made reachable.
constexpr std::uint32_t kNameMayLeadOn = IN_CREATE | IN_MOVED_TO | IN_ATTRIB;
// Following and forgetting give up on the table after this long rather than freeze the window.
constexpr milliseconds kLongestTableWait{5000};
constexpr std::size_t kReadSize = 64 * 1024;

// A follow, with the names an inotify event gives.
class Follower : public FollowerCalls {
public:
    using FollowerCalls::FollowerCalls;

    // An event without a name is about the folder itself or about lost events: it always
    // concerns the follower. Called on the watch's thread.
    bool Concerns(const inotify_event& event) const {
        return event.len == 0 || !NameConcerns() ||
               NameConcerns()(NameFromNative(QByteArray(event.name)), (event.mask & IN_ISDIR) != 0);
    }
};

// The follows a burst of events concerns, in the order of their first event.
using Burst = std::vector<std::shared_ptr<Follower>>;

// Where a follow stands: on its folder's own watch, or, while the folder is missing, on the
// watch of its nearest ancestor that can be watched, awaiting the next name of its path there.
struct Place {
    int watch = -1; // -1: nowhere, the system refused every watch
    QByteArray awaited;

    bool OnFolder() const { return watch >= 0 && awaited.isEmpty(); }
};

// What uses one watch of the system, which goes with its last use.
struct WatchUses {
    std::vector<FolderWatch::Handle> following;
    std::vector<FolderWatch::Handle> waiting;

    std::vector<FolderWatch::Handle>& Of(const Place& place) {
        return place.OnFolder() ? following : waiting;
    }
    bool Empty() const { return following.empty() && waiting.empty(); }
};

struct Followed {
    std::shared_ptr<Follower> follower;
    QByteArray path;
    Place place;
};

// An event's follows: those whose name filter is to decide, and those told in any case.
struct Reached {
    std::vector<std::shared_ptr<Follower>> byFilter;
    std::vector<std::shared_ptr<Follower>> always;
};

// Absolute and without "." or ".." parts, so that cutting it gives its ancestors.
QByteArray SystemPath(const QString& folder) {
    return NativeName(QDir::cleanPath(QDir::current().absoluteFilePath(folder)));
}

// `ancestor`'s child on the way to `path`.
QByteArray OneDeeper(const QByteArray& ancestor, const QByteArray& path) {
    const qsizetype start = ancestor == "/" ? 1 : ancestor.size() + 1;
    const qsizetype end = path.indexOf('/', start);
    return end < 0 ? path : path.left(end);
}

QByteArray LastName(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

bool IsThereButNoFolder(const QByteArray& path) {
    struct stat status {};
    return stat(path.constData(), &status) == 0 && !S_ISDIR(status.st_mode);
}

// What a watch refused for one of these may work once the path is made again; other errors
// (no more watches allowed, no memory) would only spread to the ancestors.
bool MayComeLater(int error) {
    return error == ENOENT || error == ENOTDIR || error == EACCES;
}

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
        for (const auto& [handle, followed] : follows_) {
            followed.follower->Stop();
        }
    }

    Handle Follow(const QString& folder, NameFilter concerns, QObject* receiver,
                  std::function<void()> changed) {
        if (receiver == nullptr || folder.isEmpty() || !thread_.joinable() || broken_) {
            return 0;
        }
        QByteArray path = SystemPath(folder);
        if (IsThereButNoFolder(path)) {
            return 0;
        }
        const auto table = LockTable();
        if (!table.owns_lock()) {
            return 0;
        }
        const Place place = PlaceOf(path);
        if (place.watch < 0) {
            return 0;
        }
        auto follower = std::make_shared<Follower>(std::move(concerns), std::move(changed));
        follower->TellFromNowOn(receiver);
        const Handle handle = ++lastHandle_;
        Join(handle, place);
        follows_.emplace(handle, Followed{std::move(follower), std::move(path), place});
        return handle;
    }

    void Forget(Handle handle) {
        std::shared_ptr<Follower> follower;
        {
            const auto table = LockTable();
            const auto found = table.owns_lock() ? follows_.find(handle) : follows_.end();
            if (found == follows_.end()) {
                return;
            }
            follower = std::move(found->second.follower);
            Leave(handle, found->second.place);
            follows_.erase(found);
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
        const int ready = Uninterrupted([&] { return poll(sources, 2, timeoutMs); });
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
            const ssize_t length =
                Uninterrupted([&] { return read(inotify_.Get(), buffer, sizeof buffer); });
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

    // The name filters run without the table.
    void AddConcerned(const inotify_event& event, Burst& burst) {
        const auto isNew = [&](const auto& follower) {
            return std::find(burst.begin(), burst.end(), follower) == burst.end();
        };
        Reached reached = Reach(event);
        for (auto& follower : reached.always) {
            if (isNew(follower)) {
                burst.push_back(std::move(follower));
            }
        }
        for (auto& follower : reached.byFilter) {
            if (isNew(follower) && follower->Concerns(event)) {
                burst.push_back(std::move(follower));
            }
        }
    }

    Reached Reach(const inotify_event& event) {
        Reached reached;
        const auto table = LockTable();
        if (!table.owns_lock()) {
            return reached;
        }
        // Lost events may have hidden any folder going or coming back.
        if ((event.mask & IN_Q_OVERFLOW) != 0) {
            PlaceAgain(HandlesOf(follows_));
            reached.always = FollowersOf(HandlesOf(follows_));
            return reached;
        }
        const auto found = uses_.find(event.wd);
        if (found == uses_.end()) {
            return reached;
        }
        if ((event.mask & kWatchLost) != 0) {
            std::vector<Handle> users = found->second.following;
            users.insert(users.end(), found->second.waiting.begin(), found->second.waiting.end());
            reached.always = PlaceAgain(users);
            return reached;
        }
        reached.byFilter = FollowersOf(found->second.following);
        if (event.len > 0 && (event.mask & kNameMayLeadOn) != 0) {
            reached.always = PlaceAgain(Awaiting(found->second, QByteArray(event.name)));
        }
        return reached;
    }

    // The follows that left their folder or reached it again, which their lists must show.
    std::vector<std::shared_ptr<Follower>> PlaceAgain(const std::vector<Handle>& handles) {
        std::vector<std::shared_ptr<Follower>> moved;
        for (const Handle handle : handles) {
            Followed& followed = follows_.at(handle);
            const Place place = PlaceOf(followed.path);
            const bool wasOnFolder = followed.place.OnFolder();
            Join(handle, place); // first, so that a watch kept in both places stays
            Leave(handle, followed.place);
            followed.place = place;
            if (wasOnFolder || place.OnFolder()) {
                moved.push_back(followed.follower);
            }
        }
        return moved;
    }

    // The folder's own watch when it can be followed, else the nearest ancestor's that can,
    // awaiting the next name there. Each ancestor is watched before the name below it is tried
    // again, so that a folder made meanwhile is either found now or told by an event.
    Place PlaceOf(const QByteArray& path) {
        QByteArray watched = path;
        int watch = AddWatch(watched);
        while (watch < 0) {
            if (!MayComeLater(errno) || watched == "/") {
                return {};
            }
            watched = ParentOf(watched);
            watch = AddWatch(watched);
        }
        while (watched != path) {
            const QByteArray below = OneDeeper(watched, path);
            const int belowWatch = AddWatch(below);
            if (belowWatch < 0) {
                return {watch, LastName(below)};
            }
            if (belowWatch != watch) {
                RemoveIfUnused(watch);
            }
            watched = below;
            watch = belowWatch;
        }
        return {watch, {}};
    }

    // A folder already watched gives its watch again.
    int AddWatch(const QByteArray& folder) const {
        return inotify_add_watch(inotify_.Get(), folder.constData(), kFollowedEvents);
    }

    void RemoveIfUnused(int watch) {
        if (!uses_.contains(watch)) {
            inotify_rm_watch(inotify_.Get(), watch);
        }
    }

    void Join(Handle handle, const Place& place) {
        if (place.watch >= 0) {
            uses_[place.watch].Of(place).push_back(handle);
        }
    }

    void Leave(Handle handle, const Place& place) {
        const auto found = uses_.find(place.watch);
        if (found == uses_.end()) {
            return;
        }
        auto& uses = found->second.Of(place);
        // Only one entry goes: Join may have just added the same place again.
        const auto entry = std::find(uses.begin(), uses.end(), handle);
        if (entry != uses.end()) {
            uses.erase(entry);
        }
        if (found->second.Empty()) {
            inotify_rm_watch(inotify_.Get(), place.watch);
            uses_.erase(found);
        }
    }

    std::vector<Handle> Awaiting(const WatchUses& uses, const QByteArray& name) const {
        std::vector<Handle> awaiting;
        std::copy_if(uses.waiting.begin(), uses.waiting.end(), std::back_inserter(awaiting),
                     [&](Handle handle) { return follows_.at(handle).place.awaited == name; });
        return awaiting;
    }

    static std::vector<Handle> HandlesOf(const std::map<Handle, Followed>& follows) {
        std::vector<Handle> handles;
        for (const auto& [handle, followed] : follows) {
            handles.push_back(handle);
        }
        return handles;
    }

    // Copied, so that they can be told once the table is let go.
    std::vector<std::shared_ptr<Follower>> FollowersOf(const std::vector<Handle>& handles) const {
        std::vector<std::shared_ptr<Follower>> followers;
        for (const Handle handle : handles) {
            followers.push_back(follows_.at(handle).follower);
        }
        return followers;
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
        Uninterrupted([&] { return write(wake_.Get(), &one, sizeof one); });
    }

    const Descriptor inotify_;
    const Descriptor wake_;
    std::timed_mutex tableMutex_;
    std::map<Handle, Followed> follows_;
    std::unordered_map<int, WatchUses> uses_;
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

bool InotifyFolderWatch::SeesEveryChange(const QString& folder) {
    return NotificationsSeeEveryChange(folder);
}

void InotifyFolderWatch::Forget(Handle handle) {
    if (watcher_) {
        watcher_->Forget(handle);
    }
}

} // namespace corvane
