#include "platform/desktop/linux/RecycleBin.h"

#include "platform/files/linux/Posix.h"
#include "platform/files/linux/XdgDataHome.h"

#include <QDateTime>
#include <QRandomGenerator>

#include <variant>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {

namespace {

constexpr mode_t kPrivateFolderMode = 0700;
constexpr mode_t kWritableByOthers = S_IWGRP | S_IWOTH;
constexpr mode_t kInfoFileMode = 0600;
constexpr char kInfoSuffix[] = ".trashinfo";
constexpr long kFallbackNameMax = 255;
// Longer endings are no extension worth keeping when a name has to be shortened.
constexpr qsizetype kLongestKeptExtension = 16;
// "name.ini", then "name.2.ini" to "name.100.ini", then a few random markers.
constexpr int kCountedNames = 100;
constexpr int kRandomNames = 5;

Descriptor OpenFolder(int parentFd, const QByteArray& name, int extraFlags = 0) {
    return Descriptor(Uninterrupted([&] {
        return openat(parentFd, name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | extraFlags);
    }));
}

// The folder, made private when it is not there yet.
Descriptor OpenMakingFolder(int parentFd, const QByteArray& name, int extraFlags = 0) {
    mkdirat(parentFd, name.constData(), kPrivateFolderMode); // opening tells whether it is there
    return OpenFolder(parentFd, name, extraFlags);
}

QByteArray Child(const QByteArray& folder, const QByteArray& name) {
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

// The path with every link and "." or ".." resolved, or nothing when it is not there.
std::optional<QByteArray> Resolved(const QByteArray& path) {
    char* resolved = realpath(path.constData(), nullptr);
    if (resolved == nullptr) {
        return std::nullopt;
    }
    QByteArray canonical(resolved);
    free(resolved);
    return canonical;
}

std::optional<quint64> DeviceOnDisk(const QByteArray& path) {
    struct stat status {};
    if (lstat(path.constData(), &status) != 0) {
        return std::nullopt;
    }
    return static_cast<quint64>(status.st_dev);
}

// The entry to put in the trash: its folder, opened, with the links on the way there resolved,
// so that its mount and the path written for it are the real ones.
struct Entry {
    Descriptor folder;
    QByteArray folderPath;
    QByteArray name;
    QByteArray Path() const { return Child(folderPath, name); }
};

std::optional<Entry> LocateEntry(QByteArray path) {
    while (path.size() > 1 && path.endsWith('/')) {
        path.chop(1);
    }
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray name = path.mid(slash + 1);
    if (name.isEmpty() || name == "." || name == "..") {
        return std::nullopt;
    }
    const QByteArray folder = slash < 0    ? QByteArray(".")
                              : slash == 0 ? QByteArray("/")
                                           : path.left(slash);
    std::optional<QByteArray> folderPath = Resolved(folder);
    if (!folderPath) {
        return std::nullopt;
    }
    Descriptor folderFd = OpenFolder(AT_FDCWD, *folderPath);
    if (!folderFd.Valid()) {
        return std::nullopt;
    }
    return Entry{std::move(folderFd), *folderPath, name};
}

// A trash's two folders, and the top directory its info paths are relative to (empty for the
// home trash, whose info paths are absolute).
struct Trash {
    Descriptor files;
    Descriptor info;
    QByteArray topDirectory;
};

// A folder of the trash, or why none can be used.
using FolderOrWhy = std::variant<Descriptor, RecycleOutcome>;
using TrashOrWhy = std::variant<Trash, RecycleOutcome>;

RecycleOutcome WhyNotOpened(int error) {
    switch (error) {
    case ELOOP:   // a link
    case ENOTDIR: // a file, or a link to one
        return RecycleOutcome::UnsafeBin;
    default:
        return RecycleOutcome::NoBin;
    }
}

// A folder of the trash that the user alone can write into: made private when missing, never
// reached through a link, the user's own, and made private when others may write into it.
// Anything else is refused, since whoever else can write there chooses where the entry goes.
FolderOrWhy OpenPrivateFolder(int parentFd, const QByteArray& name) {
    Descriptor folder = OpenMakingFolder(parentFd, name, O_NOFOLLOW);
    if (!folder.Valid()) {
        return WhyNotOpened(errno);
    }
    struct stat status {};
    if (fstat(folder.Get(), &status) != 0) {
        return RecycleOutcome::NoBin;
    }
    if (status.st_uid != getuid()) {
        return RecycleOutcome::UnsafeBin;
    }
    if ((status.st_mode & kWritableByOthers) != 0 &&
        fchmod(folder.Get(), kPrivateFolderMode) != 0) {
        return RecycleOutcome::UnsafeBin;
    }
    return folder;
}

TrashOrWhy OpenTrashFolders(int trashFd, const QByteArray& topDirectory) {
    FolderOrWhy files = OpenPrivateFolder(trashFd, "files");
    if (const auto* why = std::get_if<RecycleOutcome>(&files)) {
        return *why;
    }
    FolderOrWhy info = OpenPrivateFolder(trashFd, "info");
    if (const auto* why = std::get_if<RecycleOutcome>(&info)) {
        return *why;
    }
    return Trash{std::get<Descriptor>(std::move(files)), std::get<Descriptor>(std::move(info)),
                 topDirectory};
}

QByteArray HomeTrashPath() {
    const QByteArray dataHome = XdgDataHome();
    return dataHome.isEmpty() ? QByteArray() : Child(dataHome, "Trash");
}

// Makes the folder and every missing parent, each private as the XDG base directories ask.
// The folder, opened.
Descriptor MakeFolders(const QByteArray& path) {
    for (qsizetype slash = path.indexOf('/', 1); slash > 0; slash = path.indexOf('/', slash + 1)) {
        mkdir(path.left(slash).constData(), kPrivateFolderMode);
    }
    mkdir(path.constData(), kPrivateFolderMode);
    return OpenFolder(AT_FDCWD, path);
}

TrashOrWhy OpenHomeTrash(const QByteArray& trashPath) {
    const Descriptor dataHome = MakeFolders(ParentOf(trashPath));
    if (!dataHome.Valid()) {
        return RecycleOutcome::NoBin;
    }
    const Descriptor trash = OpenMakingFolder(dataHome.Get(), "Trash");
    if (!trash.Valid()) {
        return RecycleOutcome::NoBin;
    }
    return OpenTrashFolders(trash.Get(), {});
}

// The device of the home trash, or of the nearest folder above it while it does not exist yet.
std::optional<quint64> HomeTrashDevice(QByteArray path, const DeviceOf& deviceOf) {
    while (!path.isEmpty()) {
        if (const std::optional<QByteArray> resolved = Resolved(path)) {
            return deviceOf(*resolved);
        }
        if (path == "/") {
            break;
        }
        path = ParentOf(path);
    }
    return std::nullopt;
}

// The highest folder above the entry that is still on the entry's file system.
QByteArray TopDirectory(const QByteArray& folder, quint64 device, const DeviceOf& deviceOf) {
    QByteArray top = folder;
    while (top != "/") {
        const QByteArray parent = ParentOf(top);
        if (deviceOf(parent) != device) {
            break;
        }
        top = parent;
    }
    return top;
}

// The trash in the user's own folder `name` under `parentFd`.
TrashOrWhy OpenTrashIn(int parentFd, const QByteArray& name, const QByteArray& topDirectory) {
    FolderOrWhy own = OpenPrivateFolder(parentFd, name);
    if (const auto* why = std::get_if<RecycleOutcome>(&own)) {
        return *why;
    }
    return OpenTrashFolders(std::get<Descriptor>(own).Get(), topDirectory);
}

// $topdir/.Trash/$uid when the administrator has made $topdir/.Trash, a real folder with the
// sticky bit; $topdir/.Trash-$uid otherwise.
TrashOrWhy OpenTopDirTrash(const QByteArray& topDirectory) {
    const Descriptor top = OpenFolder(AT_FDCWD, topDirectory);
    if (!top.Valid()) {
        return RecycleOutcome::NoBin;
    }
    const QByteArray uid = QByteArray::number(getuid());
    const Descriptor shared = OpenFolder(top.Get(), ".Trash", O_NOFOLLOW);
    struct stat status {};
    if (shared.Valid() && fstat(shared.Get(), &status) == 0 && (status.st_mode & S_ISVTX) != 0) {
        TrashOrWhy trash = OpenTrashIn(shared.Get(), uid, topDirectory);
        if (std::holds_alternative<Trash>(trash)) {
            return trash;
        }
    }
    return OpenTrashIn(top.Get(), ".Trash-" + uid, topDirectory);
}

// The trash on the entry's file system: the home trash when it is there, its mount's otherwise.
TrashOrWhy TrashFor(const Entry& entry, const DeviceOf& deviceOf) {
    const std::optional<quint64> device = deviceOf(entry.Path());
    if (!device) {
        return RecycleOutcome::Missing;
    }
    const QByteArray homeTrash = HomeTrashPath();
    if (!homeTrash.isEmpty() && HomeTrashDevice(homeTrash, deviceOf) == device) {
        return OpenHomeTrash(homeTrash);
    }
    return OpenTopDirTrash(TopDirectory(entry.folderPath, *device, deviceOf));
}

bool IsContinuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The first `size` bytes, or fewer so as not to split a UTF-8 character.
QByteArray CutToSize(const QByteArray& bytes, qsizetype size) {
    if (bytes.size() <= size) {
        return bytes;
    }
    qsizetype cut = size;
    for (int back = 0; back < 3 && cut > 0 && IsContinuation(bytes[cut]); ++back) {
        --cut;
    }
    return bytes.left(cut);
}

// The entry's name with `marker` put before its extension, cut to `longest` bytes, the short
// extension kept; nothing when no such name fits.
QByteArray NameInTrash(const QByteArray& name, const QByteArray& marker, qsizetype longest) {
    const qsizetype dot = name.lastIndexOf('.');
    const qsizetype extensionSize = dot > 0 ? name.size() - dot : 0;
    const bool keepsExtension = extensionSize > 1 && extensionSize <= kLongestKeptExtension &&
                                marker.size() + extensionSize < longest;
    const QByteArray extension = keepsExtension ? name.mid(dot) : QByteArray();
    const QByteArray stem = keepsExtension ? name.left(dot) : name;
    const qsizetype room = longest - marker.size() - extension.size();
    const QByteArray cut = room > 0 ? CutToSize(stem, room) : QByteArray();
    return cut.isEmpty() ? QByteArray() : cut + marker + extension;
}

QByteArray Marker(int attempt) {
    if (attempt == 0) {
        return {};
    }
    if (attempt < kCountedNames) {
        return '.' + QByteArray::number(attempt + 1);
    }
    return '.' + QByteArray::number(QRandomGenerator::global()->generate(), 16);
}

QByteArray InfoFor(const QByteArray& path) {
    const QByteArray date =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd'T'hh:mm:ss")).toLatin1();
    return "[Trash Info]\nPath=" + path.toPercentEncoding("/") + "\nDeletionDate=" + date + '\n';
}

// The entry's path as its trash records it.
QByteArray RecordedPath(const Entry& entry, const Trash& trash) {
    const QByteArray path = entry.Path();
    if (trash.topDirectory.isEmpty()) {
        return path;
    }
    return path.mid(trash.topDirectory == "/" ? 1 : trash.topDirectory.size() + 1);
}

enum class Outcome { Done, NameTaken, Failed };

// Creates the info file under a name nobody holds yet, and fills it.
Outcome WriteInfo(int infoFd, const QByteArray& infoName, const QByteArray& content) {
    Descriptor file(Uninterrupted([&] {
        return openat(infoFd, infoName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                      kInfoFileMode);
    }));
    if (!file.Valid()) {
        return errno == EEXIST ? Outcome::NameTaken : Outcome::Failed;
    }
    if (WriteAll(file.Get(), content) && file.Close()) {
        return Outcome::Done;
    }
    const int error = errno;
    unlinkat(infoFd, infoName.constData(), 0);
    errno = error;
    return Outcome::Failed;
}

// Renames without ever replacing what holds the new name: a rename over an entry of the trash
// whose info file was lost would destroy it.
Outcome RenameWithoutReplacing(int fromFd, const QByteArray& from, int toFd, const QByteArray& to) {
#ifdef RENAME_NOREPLACE
    if (Uninterrupted([&] {
            return renameat2(fromFd, from.constData(), toFd, to.constData(), RENAME_NOREPLACE);
        }) == 0) {
        return Outcome::Done;
    }
    if (errno == EEXIST) {
        return Outcome::NameTaken;
    }
    // Some file systems cannot promise not to replace; they are looked at first instead.
    if (errno != EINVAL && errno != ENOSYS) {
        return Outcome::Failed;
    }
#endif
    struct stat status {};
    if (fstatat(toFd, to.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0) {
        return Outcome::NameTaken;
    }
    return Uninterrupted(
               [&] { return renameat(fromFd, from.constData(), toFd, to.constData()); }) == 0
               ? Outcome::Done
               : Outcome::Failed;
}

// The info file first, under a name made sure of with O_EXCL, then the entry under the same name.
Outcome PutUnder(const Entry& entry, const Trash& trash, const QByteArray& name,
                 const QByteArray& info) {
    const QByteArray infoName = name + kInfoSuffix;
    const Outcome written = WriteInfo(trash.info.Get(), infoName, info);
    if (written != Outcome::Done) {
        return written;
    }
    const Outcome moved =
        RenameWithoutReplacing(entry.folder.Get(), entry.name, trash.files.Get(), name);
    if (moved != Outcome::Done) {
        const int error = errno;
        unlinkat(trash.info.Get(), infoName.constData(), 0);
        errno = error;
    }
    return moved;
}

qsizetype LongestInfoName(int infoFd) {
    const long nameMax = fpathconf(infoFd, _PC_NAME_MAX);
    return nameMax > 0 ? nameMax : kFallbackNameMax;
}

RecycleOutcome WhyNotMoved(int error) {
    switch (error) {
    case ENOENT:
        return RecycleOutcome::Missing;
    case EACCES:
    case EPERM:
    case EROFS:
    case EBUSY:
        return RecycleOutcome::NotAllowed;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return RecycleOutcome::DiskFull;
    default:
        return RecycleOutcome::Failed;
    }
}

RecycleOutcome PutInTrash(const Entry& entry, const Trash& trash) {
    const QByteArray info = InfoFor(RecordedPath(entry, trash));
    const qsizetype longest = LongestInfoName(trash.info.Get()) - qsizetype(sizeof kInfoSuffix - 1);
    for (int attempt = 0; attempt < kCountedNames + kRandomNames; ++attempt) {
        const QByteArray name = NameInTrash(entry.name, Marker(attempt), longest);
        const Outcome outcome =
            name.isEmpty() ? Outcome::NameTaken : PutUnder(entry, trash, name, info);
        if (outcome == Outcome::Done) {
            return RecycleOutcome::Moved;
        }
        if (outcome == Outcome::Failed) {
            return WhyNotMoved(errno);
        }
    }
    return RecycleOutcome::Failed;
}

} // namespace

RecycleOutcome MoveToTrash(const QByteArray& path, const DeviceOf& deviceOf) {
    const std::optional<Entry> entry = LocateEntry(path);
    if (!entry) {
        return RecycleOutcome::Missing;
    }
    const TrashOrWhy trash = TrashFor(*entry, deviceOf);
    if (const auto* why = std::get_if<RecycleOutcome>(&trash)) {
        return *why;
    }
    return PutInTrash(*entry, std::get<Trash>(trash));
}

RecycleOutcome MoveToTrash(const QByteArray& path) {
    return MoveToTrash(path, DeviceOnDisk);
}

} // namespace corvane
