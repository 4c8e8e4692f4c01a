#include "tests/support/NonRegularEntries.h"

#include <QFile>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace corvane {

bool MakeFifo(const QString& path) {
    return mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

bool MakeSymbolicLink(const QString& target, const QString& path) {
    return symlink(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()) == 0;
}

bool MakeUnreadableFile(const QString& path) {
    return MakeSymbolicLink(QStringLiteral("/proc/self/mem"), path);
}

bool MakeDeviceNode(const QString& path) {
    return mknod(QFile::encodeName(path).constData(), S_IFCHR | 0600, makedev(1, 3)) == 0;
}

bool MakeFileNamedByBytes(const QByteArray& path, const QByteArray& content) {
    const int fd = open(path.constData(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    if (fd < 0) {
        return false;
    }
    const bool written = write(fd, content.constData(), size_t(content.size())) == content.size();
    return close(fd) == 0 && written;
}

BoundSocket::~BoundSocket() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

bool BoundSocket::Bind(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (fd_ >= 0 || size_t(name.size()) >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    fd_ = socket(AF_UNIX, SOCK_STREAM, 0);
    return fd_ >= 0 && bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
}

int ModeOf(const QString& path) {
    struct stat status {};
    return lstat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 07777)
                                                                    : -1;
}

QByteArray IdentityOf(const QString& path) {
    struct stat status {};
    if (lstat(QFile::encodeName(path).constData(), &status) != 0) {
        return {};
    }
    return QByteArray::number(status.st_mode) + ':' + QByteArray::number(status.st_ino);
}

} // namespace corvane
