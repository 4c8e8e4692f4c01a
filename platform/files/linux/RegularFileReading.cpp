#include "platform/files/RegularFileReading.h"

#include "platform/files/NativeNames.h"
#include "platform/files/linux/Posix.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {

namespace {

class DescriptorByteSource : public ByteSource {
public:
    explicit DescriptorByteSource(Descriptor fd) : fd_(std::move(fd)) {}

    std::ptrdiff_t Read(char* buffer, std::size_t capacity) override {
        return Uninterrupted([&] { return read(fd_.Get(), buffer, capacity); });
    }

private:
    Descriptor fd_;
};

} // namespace

// Opened without blocking, so that a pipe or a device cannot hold the window, and kept only when
// it turns out to be a regular file.
std::unique_ptr<ByteSource> OpenRegularFile(const QString& path) {
    Descriptor fd(Uninterrupted([&] {
        return open(NativeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    }));
    struct stat status {};
    if (!fd.Valid() || fstat(fd.Get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return nullptr;
    }
    return std::make_unique<DescriptorByteSource>(std::move(fd));
}

Qt::CaseSensitivity FileNameCase() {
    return Qt::CaseSensitive;
}

} // namespace corvane
