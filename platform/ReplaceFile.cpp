#include "platform/ReplaceFile.h"

#include "platform/TemporaryFiles.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QSaveFile>
#endif

namespace corvane {

#ifdef Q_OS_UNIX

namespace {

constexpr int kNewFileMode = 0666; // less the umask, applied by the system
constexpr int kTemporaryNameAttempts = 100;

// Closes the descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { Close(); }

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    // Whether everything written reached the file: some file systems report errors only here.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || close(fd) == 0;
    }

private:
    int fd_;
};

bool WriteAll(int fd, QByteArrayView bytes) {
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = write(fd, data, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

bool SyncFile(int fd) {
    while (fsync(fd) != 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return true;
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

bool FillTemporary(int fd, QByteArrayView bytes, Target target, mode_t mode) {
    if (target == Target::Writable && fchmod(fd, mode) != 0) {
        return false;
    }
    return WriteAll(fd, bytes) && SyncFile(fd);
}

} // namespace

bool ReplaceFileWhole(const QString& path, QByteArrayView bytes) {
    const QFileInfo file(path);
    const QByteArray folderPath = QFile::encodeName(file.absolutePath());
    const QByteArray name = QFile::encodeName(file.fileName());
    Descriptor folder(open(folderPath.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.Valid() || name.isEmpty()) {
        return false;
    }
    mode_t mode = 0;
    const Target target = Examine(folder.Get(), name.constData(), &mode);
    if (target == Target::Folder || target == Target::Protected) {
        return false;
    }

    QByteArray temporaryName;
    Descriptor temporary(CreateTemporary(folder.Get(), &temporaryName));
    if (!temporary.Valid()) {
        return false;
    }
    const bool filled = FillTemporary(temporary.Get(), bytes, target, mode);
    if (!temporary.Close() || !filled ||
        renameat(folder.Get(), temporaryName.constData(), folder.Get(), name.constData()) != 0) {
        unlinkat(folder.Get(), temporaryName.constData(), 0);
        return false;
    }
    return SyncFolder(folder.Get());
}

#else

// Elsewhere the toolkit's own save file does the temporary file, the flush and the rename.
bool ReplaceFileWhole(const QString& path, QByteArrayView bytes) {
    const QFileInfo target(path);
    if (target.isDir() || (target.exists() && !target.isWritable())) {
        return false;
    }
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(bytes.data(), bytes.size()) == bytes.size() && file.commit();
}

#endif

} // namespace corvane
