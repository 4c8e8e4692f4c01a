#include "platform/files/linux/Posix.h"

#include <unistd.h>

namespace corvane {

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = other.Release();
    }
    return *this;
}

bool Descriptor::Close() {
    const int fd = Release();
    return fd < 0 || close(fd) == 0;
}

bool WriteAll(int fd, QByteArrayView bytes) {
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written =
            Uninterrupted([&] { return write(fd, data, static_cast<size_t>(left)); });
        if (written <= 0) {
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

QByteArray ParentOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : path.left(slash);
}

} // namespace corvane
