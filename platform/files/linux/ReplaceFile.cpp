#include "platform/files/ReplaceFile.h"

#include "platform/files/TemporaryFiles.h"
#include "platform/files/linux/Posix.h"

#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {

namespace {

constexpr int kNewFileMode = 0666; // less the umask, applied by the system
constexpr int kTemporaryNameAttempts = 100;

bool SyncFile(int fd) {
    return Uninterrupted([fd] { return fsync(fd); }) == 0;
}

// Some file systems cannot sync a folder and say so; there is nothing more to do for them.
bool SyncFolder(int folderFd) {
    return SyncFile(folderFd) || errno == EINVAL || errno == ENOTSUP;
}

// What is at `name` now. A file that has no write permission for anyone is protected even from
// the superuser, whom the system would let write anywhere.
enum class Target { Missing, Writable, Protected, Folder };

Target Examine(int folderFd, const char* name, mode_t* mode) {
    struct stat status {};
    if (fstatat(folderFd, name, &status, 0) != 0) {
        return Target::Missing;
    }
    if (S_ISDIR(status.st_mode)) {
        return Target::Folder;
    }
    *mode = status.st_mode & 07777;
    const bool anyWriteBit = (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    if (!anyWriteBit || faccessat(folderFd, name, W_OK, AT_EACCESS) != 0) {
        return Target::Protected;
    }
    return Target::Writable;
}

// A new, empty temporary file in the folder, or -1; its name goes to `name`.
int CreateTemporary(int folderFd, QByteArray* name) {
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        *name = NewTemporaryName().toLatin1();
        const int fd = openat(folderFd, name->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                              kNewFileMode);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

bool FillTemporary(int fd, const FileContent& write, Target target, mode_t mode) {
    if (target == Target::Writable && fchmod(fd, mode) != 0) {
        return false;
    }
    return write([fd](QByteArrayView piece) { return WriteAll(fd, piece); }) && SyncFile(fd);
}

// The folder of `path`, opened, and the file's name in it.
struct Place {
    Descriptor folder;
    QByteArray name;
    bool Valid() const { return folder.Valid() && !name.isEmpty(); }
};

Place OpenPlace(const QString& path) {
    const QFileInfo file(path);
    const QByteArray folderPath = QFile::encodeName(file.absolutePath());
    return {Descriptor(open(folderPath.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)),
            QFile::encodeName(file.fileName())};
}

// Writes a complete temporary file beside the target and hands its name to `publish`, which puts
// it in place; the temporary is removed whenever it is still there afterwards.
template <typename Publish>
bool WriteThenPublish(const Place& place, const FileContent& write, Target target, mode_t mode,
                      FolderSync folderSync, Publish publish) {
    QByteArray temporaryName;
    Descriptor temporary(CreateTemporary(place.folder.Get(), &temporaryName));
    if (!temporary.Valid()) {
        return false;
    }
    const bool filled = FillTemporary(temporary.Get(), write, target, mode);
    const bool published = temporary.Close() && filled && publish(temporaryName);
    if (!published) {
        unlinkat(place.folder.Get(), temporaryName.constData(), 0);
        return false;
    }
    return folderSync == FolderSync::Later || SyncFolder(place.folder.Get());
}

FileContent Whole(QByteArrayView bytes) {
    return [bytes](const FileSink& sink) { return sink(bytes); };
}

} // namespace

bool ReplaceFileWhole(const QString& path, QByteArrayView bytes, FolderSync folderSync) {
    return ReplaceFileStreamed(path, Whole(bytes), folderSync);
}

NewFileOutcome WriteNewFileWhole(const QString& path, QByteArrayView bytes, FolderSync folderSync) {
    return WriteNewFileStreamed(path, Whole(bytes), folderSync);
}

bool SyncFolderOf(const QString& path) {
    const Place place = OpenPlace(path);
    return place.folder.Valid() && SyncFolder(place.folder.Get());
}

bool ReplaceFileStreamed(const QString& path, const FileContent& write, FolderSync folderSync) {
    const Place place = OpenPlace(path);
    if (!place.Valid()) {
        return false;
    }
    mode_t mode = 0;
    const Target target = Examine(place.folder.Get(), place.name.constData(), &mode);
    if (target == Target::Folder || target == Target::Protected) {
        return false;
    }
    return WriteThenPublish(place, write, target, mode, folderSync,
                            [&](const QByteArray& temporary) {
                                return renameat(place.folder.Get(), temporary.constData(),
                                                place.folder.Get(), place.name.constData()) == 0;
                            });
}

NewFileOutcome WriteNewFileStreamed(const QString& path, const FileContent& write,
                                    FolderSync folderSync) {
    const Place place = OpenPlace(path);
    if (!place.Valid()) {
        return NewFileOutcome::Failed;
    }
    mode_t mode = 0;
    if (Examine(place.folder.Get(), place.name.constData(), &mode) != Target::Missing) {
        return NewFileOutcome::AlreadyThere;
    }
    // A hard link is made only where no name is yet, whoever else writes there meanwhile; the
    // temporary name then goes.
    bool alreadyThere = false;
    const bool written = WriteThenPublish(
        place, write, Target::Missing, mode, folderSync, [&](const QByteArray& temporary) {
            if (linkat(place.folder.Get(), temporary.constData(), place.folder.Get(),
                       place.name.constData(), 0) != 0) {
                alreadyThere = errno == EEXIST;
                return false;
            }
            unlinkat(place.folder.Get(), temporary.constData(), 0);
            return true;
        });
    if (written) {
        return NewFileOutcome::Written;
    }
    return alreadyThere ? NewFileOutcome::AlreadyThere : NewFileOutcome::Failed;
}

} // namespace corvane
