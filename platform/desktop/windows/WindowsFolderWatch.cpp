#include "platform/desktop/windows/WindowsFolderWatch.h"

#include "platform/desktop/FileSystemKind.h"
#include "platform/desktop/FollowerCalls.h"

#include <QDir>
#include <QObject>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <iterator>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace corvane {

namespace {

using std::chrono::milliseconds;

// Every watch asks for these, whether it follows a folder, waits there for a missing folder or
// watches a followed folder's name.
constexpr DWORD kFollowedChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                   FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SIZE |
                                   FILE_NOTIFY_CHANGE_LAST_WRITE;
// Following gives up on the watch's thread after this long rather than freeze the window.
constexpr milliseconds kLongestAnswerWait{5000};
// When the watch goes, the reads it cancels are waited for this long at most.
constexpr milliseconds kLongestCancelWait{2000};
// Larger reads fail on folders of other machines.
constexpr DWORD kReadSize = 64 * 1024;
// The completion that wakes the thread; watches are numbered from 1.
constexpr ULONG_PTR kWakeKey = 0;

using Handle = FolderWatch::Handle;
using WatchId = ULONG_PTR;

enum class Kind { File, Folder, Gone };

// A follow, with the names Windows gives.
class Follower : public FollowerCalls {
public:
    using FollowerCalls::FollowerCalls;

    // Windows does not say whether a changed entry is a folder: `kindNow` looks, and only when
    // the answer depends on it. An entry gone concerns the follower if it would as either kind.
    // Called on the watch's thread.
    template <typename KindNow> bool Concerns(const QString& name, KindNow&& kindNow) const {
        if (!NameConcerns()) {
            return true;
        }
        const bool asFile = NameConcerns()(name, false);
        const bool asFolder = NameConcerns()(name, true);
        if (asFile == asFolder) {
            return asFile;
        }
        switch (kindNow()) {
        case Kind::File:
            return asFile;
        case Kind::Folder:
            return asFolder;
        case Kind::Gone:
            break;
        }
        return true;
    }
};

// The follows a burst of changes concerns, in the order of their first change.
using Burst = std::vector<std::shared_ptr<Follower>>;

void AddNew(Burst& burst, const std::vector<std::shared_ptr<Follower>>& followers) {
    for (const auto& follower : followers) {
        if (std::find(burst.begin(), burst.end(), follower) == burst.end()) {
            burst.push_back(follower);
        }
    }
}

// Where a follow stands: on its folder's own watch, or, while the folder is missing, on the
// watch of its nearest ancestor that can be watched, awaiting the next name of its path there.
struct Place {
    WatchId watch = 0; // 0: nowhere, the system refused every watch
    QString awaited;

    bool OnFolder() const { return watch != 0 && awaited.isEmpty(); }
};

// Tells a folder from another one later put at its path.
struct FileId {
    DWORD volume = 0;
    DWORD high = 0;
    DWORD low = 0;

    bool operator==(const FileId&) const = default;
};

FileId IdOf(const BY_HANDLE_FILE_INFORMATION& info) {
    return {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

// One folder opened and read for changes, shared by everything that watches it.
struct Watch {
    QString path;
    HANDLE folder = INVALID_HANDLE_VALUE; // closed once nothing uses the watch
    FileId id;
    OVERLAPPED overlapped{};
    std::unique_ptr<DWORD[]> buffer = std::make_unique<DWORD[]>(kReadSize / sizeof(DWORD));
    bool reading = false;
    // Its folder is no longer the one at its path: it is left as soon as its users are placed
    // again, and no follow is placed on it any more.
    bool lost = false;
    std::vector<Handle> following;
    std::vector<Handle> waiting;
    // The watches of sub-folders whose name going means their folder went.
    std::vector<WatchId> guarded;
    WatchId guard = 0;

    std::vector<Handle>& Of(const Place& place) { return place.OnFolder() ? following : waiting; }
    bool Used() const { return !following.empty() || !waiting.empty(); }
};

struct Followed {
    std::shared_ptr<Follower> follower;
    QString path;
    Place place;
};

// A follow to place, or, without a follower, one to forget.
struct Request {
    Handle handle = 0;
    QString path;
    std::shared_ptr<Follower> follower;
};

struct Change {
    DWORD action = 0;
    QString name;
};

// Absolute, with '/' and without "." or ".." parts, so that cutting it gives its ancestors.
QString CleanPath(const QString& folder) {
    return QDir::cleanPath(QDir::current().absoluteFilePath(folder));
}

// "C:/" or "//server/share".
qsizetype RootLength(const QString& path) {
    if (path.size() >= 3 && path[1] == u':' && path[2] == u'/') {
        return 3;
    }
    if (path.startsWith(u"//")) {
        const qsizetype server = path.indexOf(u'/', 2);
        const qsizetype share = server < 0 ? -1 : path.indexOf(u'/', server + 1);
        return share < 0 ? path.size() : share;
    }
    return path.startsWith(u'/') ? 1 : path.size();
}

bool IsRoot(const QString& path) {
    return path.size() <= RootLength(path);
}

QString ParentOf(const QString& path) {
    const qsizetype root = RootLength(path);
    const qsizetype slash = path.lastIndexOf(u'/');
    return path.left(std::max(slash, root));
}

// `ancestor`'s child on the way to `path`.
QString OneDeeper(const QString& ancestor, const QString& path) {
    const qsizetype start = ancestor.endsWith(u'/') ? ancestor.size() : ancestor.size() + 1;
    const qsizetype end = path.indexOf(u'/', start);
    return end < 0 ? path : path.left(end);
}

QString LastName(const QString& path) {
    return path.mid(path.lastIndexOf(u'/') + 1);
}

bool SameName(const QString& a, const QString& b) {
    return CompareStringOrdinal(reinterpret_cast<const wchar_t*>(a.utf16()),
                                static_cast<int>(a.size()),
                                reinterpret_cast<const wchar_t*>(b.utf16()),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

std::wstring SystemPath(const QString& path) {
    QString native = QDir::toNativeSeparators(path);
    // Longer paths are opened only in their \\?\ form.
    if (native.size() >= MAX_PATH - 12 && !native.startsWith(QStringLiteral("\\\\?\\"))) {
        native = native.startsWith(QStringLiteral("\\\\"))
                     ? QStringLiteral("\\\\?\\UNC\\") + native.mid(2)
                     : QStringLiteral("\\\\?\\") + native;
    }
    return {reinterpret_cast<const wchar_t*>(native.utf16()), static_cast<size_t>(native.size())};
}

HANDLE OpenFolder(const QString& path, DWORD access, DWORD flags) {
    return CreateFileW(SystemPath(path).c_str(), access,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr);
}

Kind KindAt(const QString& path) {
    const DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return Kind::Gone;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? Kind::Folder : Kind::File;
}

// What a watch refused for one of these may work once the path is made again; other errors
// (no handles or memory left) would only spread to the ancestors. A folder being deleted, still
// held open by someone, refuses to open with ERROR_ACCESS_DENIED.
bool MayComeLater(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
           error == ERROR_ACCESS_DENIED || error == ERROR_DIRECTORY ||
           error == ERROR_DELETE_PENDING;
}

std::vector<Change> ChangesIn(const Watch& watch, DWORD bytes) {
    std::vector<Change> changes;
    const auto* at = reinterpret_cast<const char*>(watch.buffer.get());
    const char* const end = at + bytes;
    // A record is only as long as its name: shorter than the structure for short names.
    constexpr std::size_t kHeader = offsetof(FILE_NOTIFY_INFORMATION, FileName);
    while (at + kHeader <= end) {
        const auto* info = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(at);
        if (at + kHeader + info->FileNameLength > end) {
            break;
        }
        Change change{info->Action, QString::fromWCharArray(info->FileName,
                                                            info->FileNameLength / sizeof(WCHAR))};
        // Writing into a file tells the same change many times over.
        if (changes.empty() || changes.back().action != change.action ||
            changes.back().name != change.name) {
            changes.push_back(std::move(change));
        }
        if (info->NextEntryOffset == 0) {
            break;
        }
        at += info->NextEntryOffset;
    }
    return changes;
}

} // namespace

class WindowsFolderWatch::Watcher {
public:
    Watcher() : port_(CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1)) {
        if (port_ != nullptr) {
            thread_ = std::thread([this] { Run(); });
        }
    }

    Watcher(const Watcher&) = delete;
    Watcher& operator=(const Watcher&) = delete;

    ~Watcher() {
        if (thread_.joinable()) {
            stopping_ = true;
            Wake();
            thread_.join();
        }
        if (port_ != nullptr) {
            CloseHandle(port_);
        }
        for (const auto& [handle, follower] : followers_) {
            follower->Stop();
        }
    }

    // Folders are opened and read only on the watch's thread, which owns every watch: the
    // follow waits for it to be placed there.
    Handle Follow(const QString& folder, NameFilter concerns, QObject* receiver,
                  std::function<void()> changed) {
        if (folder.isEmpty() || !thread_.joinable()) {
            return 0;
        }
        QString path = CleanPath(folder);
        if (KindAt(path) == Kind::File) {
            return 0;
        }
        auto follower = std::make_shared<Follower>(std::move(concerns), std::move(changed));
        follower->TellFromNowOn(receiver);
        std::unique_lock lock(mutex_);
        const Handle handle = ++lastHandle_;
        requests_.push_back({handle, std::move(path), follower});
        Wake();
        const bool answered =
            answered_.wait_for(lock, kLongestAnswerWait, [&] { return answers_.contains(handle); });
        const bool placed = answered && answers_.extract(handle).mapped();
        if (!placed) {
            // A thread stuck, on a share of a machine that does not answer maybe, places the
            // follow later: it is forgotten right after.
            if (!answered) {
                requests_.push_back({handle, {}, nullptr});
                Wake();
            }
            lock.unlock();
            follower->Stop();
            return 0;
        }
        followers_.emplace(handle, std::move(follower));
        return handle;
    }

    void Forget(Handle handle) {
        std::shared_ptr<Follower> follower;
        {
            const std::lock_guard lock(mutex_);
            const auto found = followers_.find(handle);
            if (found == followers_.end()) {
                return;
            }
            follower = std::move(found->second);
            followers_.erase(found);
            requests_.push_back({handle, {}, nullptr});
            Wake();
        }
        follower->Stop();
    }

private:
    enum class Wait { Events, Quiet, Stop };

    void Wake() const { PostQueuedCompletionStatus(port_, 0, kWakeKey, nullptr); }

    void Run() {
        Burst burst;
        while (WaitForChanges(INFINITE, burst) != Wait::Stop) {
            if (burst.empty()) {
                continue;
            }
            if (!GatherBurst(burst)) {
                break;
            }
            for (const auto& follower : burst) {
                follower->Post();
            }
            burst.clear();
        }
        CloseAll();
    }

    // Keeps reading after a first change that counts until the folders are quiet for a moment,
    // so that a burst of changes is told once. False when the watch stops meanwhile.
    bool GatherBurst(Burst& burst) {
        const auto end = std::chrono::steady_clock::now() + kLongestBurst;
        while (true) {
            const auto left =
                std::chrono::duration_cast<milliseconds>(end - std::chrono::steady_clock::now());
            if (left <= milliseconds(0)) {
                return true;
            }
            switch (
                WaitForChanges(static_cast<DWORD>(std::min(kQuietPeriod, left).count()), burst)) {
            case Wait::Stop:
                return false;
            case Wait::Quiet:
                return true;
            case Wait::Events:
                break;
            }
        }
    }

    // Waits for one completed read or request, and handles it.
    Wait WaitForChanges(DWORD timeoutMs, Burst& burst) {
        DWORD bytes = 0;
        ULONG_PTR key = 0;
        OVERLAPPED* overlapped = nullptr;
        const BOOL ok = GetQueuedCompletionStatus(port_, &bytes, &key, &overlapped, timeoutMs);
        const DWORD error = ok ? ERROR_SUCCESS : GetLastError();
        if (overlapped == nullptr) {
            if (!ok) {
                return error == WAIT_TIMEOUT ? Wait::Quiet : Wait::Stop;
            }
            if (stopping_) {
                return Wait::Stop;
            }
            TakeRequests();
            return Wait::Events;
        }
        ReadDone(key, error, bytes, burst);
        return Wait::Events;
    }

    void TakeRequests() {
        std::vector<Request> requests;
        {
            const std::lock_guard lock(mutex_);
            requests.swap(requests_);
        }
        for (Request& request : requests) {
            if (request.follower) {
                const bool placed = Add(request);
                const std::lock_guard lock(mutex_);
                answers_[request.handle] = placed;
            } else {
                Drop(request.handle);
                const std::lock_guard lock(mutex_);
                answers_.erase(request.handle);
            }
        }
        answered_.notify_all();
    }

    bool Add(Request& request) {
        const Place place = PlaceOf(request.path);
        if (place.watch == 0) {
            return false;
        }
        follows_.emplace(request.handle,
                         Followed{std::move(request.follower), std::move(request.path), place});
        Join(request.handle, place);
        return true;
    }

    void Drop(Handle handle) {
        const auto found = follows_.find(handle);
        if (found == follows_.end()) {
            return;
        }
        const Place place = found->second.place;
        follows_.erase(found);
        Leave(handle, place);
    }

    void ReadDone(WatchId id, DWORD error, DWORD bytes, Burst& burst) {
        const auto found = watches_.find(id);
        if (found == watches_.end()) {
            return;
        }
        Watch& watch = *found->second;
        watch.reading = false;
        if (watch.folder == INVALID_HANDLE_VALUE) {
            watches_.erase(found);
            return;
        }
        // A read that comes back empty had more changes than its buffer holds.
        const bool overflowed =
            (error == ERROR_SUCCESS && bytes == 0) || error == ERROR_NOTIFY_ENUM_DIR;
        // Taken out before the buffer is given to the next read.
        const std::vector<Change> changes =
            error == ERROR_SUCCESS ? ChangesIn(watch, bytes) : std::vector<Change>();
        // Any other error: the folder was deleted, or its volume went.
        const bool readOn = (error == ERROR_SUCCESS || overflowed) && StartRead(watch);
        if (overflowed) {
            Overflowed(id, burst);
        }
        for (const Change& change : changes) {
            if (!IsOpen(id)) {
                break;
            }
            Concerned(id, change, burst);
        }
        if (!readOn && IsOpen(id)) {
            Lose(id, burst);
        }
    }

    bool IsOpen(WatchId id) const {
        const auto found = watches_.find(id);
        return found != watches_.end() && !found->second->lost;
    }

    void Concerned(WatchId id, const Change& change, Burst& burst) {
        const Watch& watch = *watches_.at(id);
        const QString folder = watch.path;
        const std::vector<Handle> following = watch.following;
        const bool gone =
            change.action == FILE_ACTION_REMOVED || change.action == FILE_ACTION_RENAMED_OLD_NAME;
        std::optional<Kind> kind;
        const auto kindNow = [&] {
            if (!kind) {
                kind = gone ? Kind::Gone : KindAt(folder + u'/' + change.name);
            }
            return *kind;
        };
        if (gone) {
            std::vector<WatchId> went;
            std::copy_if(watch.guarded.begin(), watch.guarded.end(), std::back_inserter(went),
                         [&](WatchId child) {
                             return SameName(LastName(watches_.at(child)->path), change.name);
                         });
            for (const WatchId child : went) {
                if (IsOpen(child)) {
                    Lose(child, burst);
                }
            }
        } else {
            // A name awaited may now lead further: made, moved in, or made reachable.
            std::vector<Handle> awaiting;
            std::copy_if(watch.waiting.begin(), watch.waiting.end(), std::back_inserter(awaiting),
                         [&](Handle handle) {
                             return SameName(follows_.at(handle).place.awaited, change.name);
                         });
            AddNew(burst, PlaceAgain(awaiting));
        }
        for (const Handle handle : following) {
            const auto found = follows_.find(handle);
            if (found == follows_.end() ||
                std::find(burst.begin(), burst.end(), found->second.follower) != burst.end()) {
                continue;
            }
            // What a sub-folder holds is not followed, and its last-write time changes with it.
            if (change.action == FILE_ACTION_MODIFIED && kindNow() == Kind::Folder) {
                return;
            }
            if (found->second.follower->Concerns(change.name, kindNow)) {
                burst.push_back(found->second.follower);
            }
        }
    }

    // Lost changes may have hidden a name coming or going.
    void Overflowed(WatchId id, Burst& burst) {
        const Watch& watch = *watches_.at(id);
        const std::vector<Handle> following = watch.following;
        const std::vector<Handle> waiting = watch.waiting;
        const std::vector<WatchId> guarded = watch.guarded;
        AddNew(burst, FollowersOf(following));
        for (const WatchId child : guarded) {
            if (IsOpen(child) && !StillAt(*watches_.at(child))) {
                Lose(child, burst);
            }
        }
        AddNew(burst, PlaceAgain(waiting));
    }

    // The watch's folder is no longer at its path: what followed it or waited in it is placed
    // again, and the sub-folders it guarded are guarded anew, or lost with it when they moved
    // away with it.
    void Lose(WatchId id, Burst& burst) {
        Watch& watch = *watches_.at(id);
        watch.lost = true;
        std::vector<Handle> users = watch.following;
        users.insert(users.end(), watch.waiting.begin(), watch.waiting.end());
        const std::vector<WatchId> guarded = std::exchange(watch.guarded, {});
        for (const WatchId child : guarded) {
            const auto found = watches_.find(child);
            if (found == watches_.end()) {
                continue;
            }
            found->second->guard = 0;
            if (!found->second->lost && !StillAt(*found->second)) {
                Lose(child, burst);
            } else {
                Settle(child);
            }
        }
        AddNew(burst, PlaceAgain(users));
        Settle(id);
    }

    // The follows that left their folder or reached it again, which their lists must show.
    std::vector<std::shared_ptr<Follower>> PlaceAgain(const std::vector<Handle>& handles) {
        std::vector<std::shared_ptr<Follower>> moved;
        for (const Handle handle : handles) {
            Followed& followed = follows_.at(handle);
            const Place place = PlaceOf(followed.path);
            const Place was = followed.place;
            followed.place = place;
            Join(handle, place); // first, so that a watch kept in both places stays
            Leave(handle, was);
            if (was.OnFolder() || place.OnFolder()) {
                moved.push_back(followed.follower);
            }
        }
        return moved;
    }

    // The folder's own watch when it can be followed, else the nearest ancestor's that can,
    // awaiting the next name there. Each ancestor is watched before the name below it is tried
    // again, so that a folder made meanwhile is either found now or told by a change.
    Place PlaceOf(const QString& path) {
        QString watched = path;
        auto [watch, error] = OpenWatch(watched);
        while (watch == 0) {
            if (!MayComeLater(error) || IsRoot(watched)) {
                return {};
            }
            watched = ParentOf(watched);
            std::tie(watch, error) = OpenWatch(watched);
        }
        while (watched != path) {
            const QString below = OneDeeper(watched, path);
            const WatchId belowWatch = OpenWatch(below).first;
            if (belowWatch == 0) {
                return {watch, LastName(below)};
            }
            // The parent stays, to guard the folder once the follow has joined it.
            if (belowWatch != watch && below != path) {
                Settle(watch);
            }
            watched = below;
            watch = belowWatch;
        }
        return {watch, {}};
    }

    // The watch of the folder at `path`, shared, or else opened and reading; or the error.
    std::pair<WatchId, DWORD> OpenWatch(const QString& path) {
        for (const auto& [id, watch] : watches_) {
            if (!watch->lost && SameName(watch->path, path)) {
                return {id, ERROR_SUCCESS};
            }
        }
        const HANDLE folder = OpenFolder(path, FILE_LIST_DIRECTORY, FILE_FLAG_OVERLAPPED);
        if (folder == INVALID_HANDLE_VALUE) {
            return {0, GetLastError()};
        }
        const WatchId id = ++lastWatchId_;
        auto watch = std::make_unique<Watch>();
        watch->path = path;
        watch->folder = folder;
        BY_HANDLE_FILE_INFORMATION info{};
        DWORD error = ERROR_SUCCESS;
        if (!GetFileInformationByHandle(folder, &info)) {
            error = GetLastError();
        } else if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            error = ERROR_DIRECTORY;
        } else if (CreateIoCompletionPort(folder, port_, id, 0) == nullptr || !StartRead(*watch)) {
            error = GetLastError();
        }
        if (error != ERROR_SUCCESS) {
            CloseHandle(folder);
            return {0, error};
        }
        watch->id = IdOf(info);
        watches_.emplace(id, std::move(watch));
        return {id, ERROR_SUCCESS};
    }

    static bool StartRead(Watch& watch) {
        watch.overlapped = OVERLAPPED{};
        watch.reading =
            ReadDirectoryChangesW(watch.folder, watch.buffer.get(), kReadSize, FALSE,
                                  kFollowedChanges, nullptr, &watch.overlapped, nullptr) != FALSE;
        return watch.reading;
    }

    // Whether the watch's folder is still the one at its path.
    static bool StillAt(const Watch& watch) {
        const HANDLE folder = OpenFolder(watch.path, FILE_READ_ATTRIBUTES, 0);
        if (folder == INVALID_HANDLE_VALUE) {
            return false;
        }
        BY_HANDLE_FILE_INFORMATION info{};
        const bool same = GetFileInformationByHandle(folder, &info) && IdOf(info) == watch.id;
        CloseHandle(folder);
        return same;
    }

    void Join(Handle handle, const Place& place) {
        if (place.watch != 0) {
            watches_.at(place.watch)->Of(place).push_back(handle);
            Settle(place.watch);
        }
    }

    void Leave(Handle handle, const Place& place) {
        const auto found = watches_.find(place.watch);
        if (found == watches_.end()) {
            return;
        }
        auto& uses = found->second->Of(place);
        // Only one entry goes: Join may have just added the same place again.
        const auto entry = std::find(uses.begin(), uses.end(), handle);
        if (entry != uses.end()) {
            uses.erase(entry);
        }
        Settle(place.watch);
    }

    // A watch in use gets its parent's watch as a guard, one no longer used lets it go, and a
    // watch that nothing needs any more is closed.
    void Settle(WatchId id) {
        const auto found = watches_.find(id);
        if (found == watches_.end() || found->second->folder == INVALID_HANDLE_VALUE) {
            return;
        }
        Watch& watch = *found->second;
        const bool used = watch.Used() && !watch.lost;
        if (used && watch.guard == 0 && !IsRoot(watch.path)) {
            const WatchId parent = OpenWatch(ParentOf(watch.path)).first;
            if (parent != 0) {
                watches_.at(parent)->guarded.push_back(id);
                watch.guard = parent;
            }
        } else if (!used && watch.guard != 0) {
            const WatchId parent = std::exchange(watch.guard, 0);
            auto& siblings = watches_.at(parent)->guarded;
            siblings.erase(std::remove(siblings.begin(), siblings.end(), id), siblings.end());
            Settle(parent);
        }
        if (!watch.Used() && watch.guarded.empty()) {
            CloseHandle(std::exchange(watch.folder, INVALID_HANDLE_VALUE));
            watch.lost = true;
            // A read still pending comes back cancelled, and only then may its buffer go.
            if (!watch.reading) {
                watches_.erase(id);
            }
        }
    }

    std::vector<std::shared_ptr<Follower>> FollowersOf(const std::vector<Handle>& handles) const {
        std::vector<std::shared_ptr<Follower>> followers;
        for (const Handle handle : handles) {
            followers.push_back(follows_.at(handle).follower);
        }
        return followers;
    }

    void CloseAll() {
        for (auto& [id, watch] : watches_) {
            if (watch->folder != INVALID_HANDLE_VALUE) {
                CloseHandle(std::exchange(watch->folder, INVALID_HANDLE_VALUE));
            }
        }
        std::erase_if(watches_, [](const auto& entry) { return !entry.second->reading; });
        const auto end = std::chrono::steady_clock::now() + kLongestCancelWait;
        while (!watches_.empty()) {
            const auto left =
                std::chrono::duration_cast<milliseconds>(end - std::chrono::steady_clock::now());
            if (left <= milliseconds(0)) {
                break;
            }
            DWORD bytes = 0;
            ULONG_PTR key = 0;
            OVERLAPPED* overlapped = nullptr;
            const BOOL ok = GetQueuedCompletionStatus(port_, &bytes, &key, &overlapped,
                                                      static_cast<DWORD>(left.count()));
            if (overlapped != nullptr) {
                watches_.erase(key);
            } else if (!ok) {
                break;
            }
        }
        // The system may still write into the buffers of reads it never gave back.
        for (auto& [id, watch] : watches_) {
            static_cast<void>(watch.release());
        }
        watches_.clear();
        follows_.clear();
    }

    const HANDLE port_;
    std::atomic<bool> stopping_{false};

    // Shared with the threads that follow and forget.
    std::mutex mutex_;
    std::condition_variable answered_;
    std::vector<Request> requests_;
    std::map<Handle, bool> answers_;
    std::map<Handle, std::shared_ptr<Follower>> followers_;
    Handle lastHandle_ = 0;

    // The watch's thread's own.
    std::map<Handle, Followed> follows_;
    std::map<WatchId, std::unique_ptr<Watch>> watches_;
    WatchId lastWatchId_ = kWakeKey;

    std::thread thread_;
};

WindowsFolderWatch::WindowsFolderWatch() = default;

WindowsFolderWatch::~WindowsFolderWatch() = default;

// The thread starts with the first follow: a program that never shows a list never needs it.
FolderWatch::Handle WindowsFolderWatch::Follow(const QString& folder, NameFilter concerns,
                                               QObject* receiver, std::function<void()> changed) {
    if (receiver == nullptr) {
        return 0;
    }
    if (!watcher_) {
        watcher_ = std::make_unique<Watcher>();
    }
    return watcher_->Follow(folder, std::move(concerns), receiver, std::move(changed));
}

void WindowsFolderWatch::Forget(Handle handle) {
    if (watcher_) {
        watcher_->Forget(handle);
    }
}

bool WindowsFolderWatch::SeesEveryChange(const QString& folder) {
    return NotificationsSeeEveryChange(folder);
}

} // namespace corvane
