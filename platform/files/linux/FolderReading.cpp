#include "platform/files/FolderReading.h"

#include "platform/files/NativeNames.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {

namespace {

// The status of what a name leads to, or of the link itself when it leads nowhere.
bool StatusOf(int folder, const char* name, struct stat& status) {
    return fstatat(folder, name, &status, 0) == 0 ||
           fstatat(folder, name, &status, AT_SYMLINK_NOFOLLOW) == 0;
}

qint64 LastWriteMs(const struct stat& status) {
    return static_cast<qint64>(status.st_mtim.tv_sec) * 1000 + status.st_mtim.tv_nsec / 1000000;
}

void TakeDetails(const struct stat& status, FileEntry& entry) {
    entry.size = entry.isFolder ? 0 : static_cast<qint64>(status.st_size);
    entry.modifiedMs = LastWriteMs(status);
    entry.detailsRead = true;
}

QFileDevice::Permissions PermissionsOf(mode_t mode) {
    using P = QFileDevice;
    static constexpr std::pair<mode_t, QFileDevice::Permission> kBits[]{
        {S_IRUSR, P::ReadOwner}, {S_IWUSR, P::WriteOwner}, {S_IXUSR, P::ExeOwner},
        {S_IRGRP, P::ReadGroup}, {S_IWGRP, P::WriteGroup}, {S_IXGRP, P::ExeGroup},
        {S_IROTH, P::ReadOther}, {S_IWOTH, P::WriteOther}, {S_IXOTH, P::ExeOther}};
    QFileDevice::Permissions permissions;
    for (const auto& [bit, permission] : kBits) {
        permissions.setFlag(permission, (mode & bit) != 0);
    }
    return permissions;
}

bool IsDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

} // namespace

// Names and kinds come from the folder alone, and a look at each entry's details costs a system
// call; in a folder of ten thousand evaluations those calls would be most of the reading, while
// the list shows a few dozen rows. Only links and entries of unknown kind are looked at now.
std::vector<FileEntry> ReadFolder(const QString& folder,
                                  const std::function<bool(const QString&, bool)>& keep) {
    std::vector<FileEntry> entries;
    DIR* directory = opendir(NativeName(folder).constData());
    if (directory == nullptr) {
        return entries;
    }
    const int folderDescriptor = dirfd(directory);
    while (const dirent* item = readdir(directory)) {
        if (IsDotOrDotDot(item->d_name)) {
            continue;
        }
        FileEntry entry{NameFromNative(QByteArray(item->d_name))};
        struct stat status {};
        const bool kindKnown = item->d_type == DT_REG || item->d_type == DT_DIR;
        if (kindKnown) {
            entry.isFolder = item->d_type == DT_DIR;
        } else if (StatusOf(folderDescriptor, item->d_name, status)) {
            entry.isFolder = S_ISDIR(status.st_mode);
            TakeDetails(status, entry);
        } else {
            continue;
        }
        if (keep(entry.name, entry.isFolder)) {
            entries.push_back(std::move(entry));
        }
    }
    closedir(directory);
    return entries;
}

void ReadDetails(const QString& folder, FileEntry& entry) {
    if (entry.detailsRead) {
        return;
    }
    struct stat status {};
    if (StatusOf(AT_FDCWD, NativeName(folder + entry.name).constData(), status)) {
        TakeDetails(status, entry);
    }
    entry.detailsMissing = !entry.detailsRead;
    entry.detailsRead = true;
}

QByteArray ReadFileStart(const QString& path, qint64 count) {
    const int descriptor =
        open(NativeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0) {
        return {};
    }
    QByteArray start;
    struct stat status {};
    if (fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) {
        start.resize(count);
        const ssize_t got = read(descriptor, start.data(), static_cast<size_t>(count));
        start.resize(got > 0 ? got : 0);
    }
    close(descriptor);
    return start;
}

namespace {

// FNV-1a, 64 bits: enough to tell one listing from the next.
constexpr quint64 kFnvOffset = 14695981039346656037ULL;
constexpr quint64 kFnvPrime = 1099511628211ULL;

quint64 Mixed(quint64 hash, const void* bytes, size_t count) {
    const auto* at = static_cast<const unsigned char*>(bytes);
    for (size_t i = 0; i < count; ++i) {
        hash = (hash ^ at[i]) * kFnvPrime;
    }
    return hash;
}

} // namespace

quint64 FolderSignature(const QString& folder) {
    DIR* directory = opendir(NativeName(folder).constData());
    if (directory == nullptr) {
        return 0;
    }
    quint64 hash = kFnvOffset;
    struct stat status {};
    if (fstat(dirfd(directory), &status) == 0) {
        for (const auto field :
             {static_cast<qint64>(status.st_dev), static_cast<qint64>(status.st_ino),
              qint64(status.st_mtim.tv_sec), qint64(status.st_mtim.tv_nsec)}) {
            hash = Mixed(hash, &field, sizeof field);
        }
    }
    // The names in the order the folder gives them, which does not change while it does not.
    while (const dirent* item = readdir(directory)) {
        hash = Mixed(hash, item->d_name, strlen(item->d_name) + 1);
        hash = Mixed(hash, &item->d_type, sizeof item->d_type);
    }
    closedir(directory);
    return hash == 0 ? 1 : hash;
}

bool SomethingAt(const QString& path) {
    struct stat status {};
    return lstat(NativeName(path).constData(), &status) == 0;
}

PathKind KindAt(const QString& path) {
    struct stat status {};
    if (stat(NativeName(path).constData(), &status) != 0) {
        return errno == EACCES ? PathKind::Forbidden : PathKind::Missing;
    }
    if (S_ISDIR(status.st_mode)) {
        return PathKind::Folder;
    }
    return S_ISREG(status.st_mode) ? PathKind::RegularFile : PathKind::Other;
}

std::optional<EntryStatus> ReadEntryStatus(const QString& path) {
    struct stat status {};
    if (!StatusOf(AT_FDCWD, NativeName(path).constData(), status)) {
        return std::nullopt;
    }
    EntryStatus entry;
    entry.isFolder = S_ISDIR(status.st_mode);
    entry.size = static_cast<qint64>(status.st_size);
    entry.modifiedMs = LastWriteMs(status);
    entry.permissions = PermissionsOf(status.st_mode);
    const passwd* owner = getpwuid(status.st_uid);
    entry.owner =
        owner != nullptr ? QString::fromLocal8Bit(owner->pw_name) : QString::number(status.st_uid);
    return entry;
}

} // namespace corvane
