#include "platform/DiskEvaluationFiles.h"

#include "platform/FolderReading.h"
#include "platform/NativeNames.h"
#include "platform/ReplaceFile.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace corvane {

namespace {

// The program's paths are the file system's bytes.
QString QtPath(const std::string& path) {
    return NameFromNative(QByteArray::fromStdString(path));
}

#ifdef Q_OS_UNIX

class DescriptorByteSource : public ByteSource {
public:
    explicit DescriptorByteSource(int fd) : fd_(fd) {}
    DescriptorByteSource(const DescriptorByteSource&) = delete;
    DescriptorByteSource& operator=(const DescriptorByteSource&) = delete;
    ~DescriptorByteSource() override { close(fd_); }

    std::ptrdiff_t Read(char* buffer, std::size_t capacity) override {
        ssize_t count = 0;
        do {
            count = read(fd_, buffer, capacity);
        } while (count < 0 && errno == EINTR);
        return count;
    }

private:
    int fd_;
};

// Opened without blocking, so that a pipe or a device cannot hold the window, and kept only when
// it turns out to be a regular file.
std::unique_ptr<ByteSource> OpenRegularFile(const QString& path) {
    const int fd = open(NativeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(fd);
        return nullptr;
    }
    return std::make_unique<DescriptorByteSource>(fd);
}

#else

class FileByteSource : public ByteSource {
public:
    explicit FileByteSource(const QString& path) : file_(path) {}
    bool Open() { return file_.open(QIODevice::ReadOnly) && !file_.isSequential(); }
    std::ptrdiff_t Read(char* buffer, std::size_t capacity) override {
        return static_cast<std::ptrdiff_t>(file_.read(buffer, static_cast<qint64>(capacity)));
    }

private:
    QFile file_;
};

std::unique_ptr<ByteSource> OpenRegularFile(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        return nullptr;
    }
    auto source = std::make_unique<FileByteSource>(path);
    return source->Open() ? std::move(source) : nullptr;
}

#endif

} // namespace

bool DiskEvaluationFiles::Exists(const std::string& path) {
    // A dangling link still occupies the name.
    return SomethingAt(QtPath(path));
}

bool DiskEvaluationFiles::IsInsideFolder(const std::string& folder, const std::string& path) {
    const QString resolvedFolder = QFileInfo(QtPath(folder)).canonicalFilePath();
    const QString resolvedParent =
        QFileInfo(QFileInfo(QtPath(path)).absolutePath()).canonicalFilePath();
    if (resolvedFolder.isEmpty() || resolvedParent.isEmpty()) {
        return false;
    }
    // A resolved path ends with "/" only when it is the root.
    const QString within = resolvedFolder.endsWith(QLatin1Char('/'))
                               ? resolvedFolder
                               : resolvedFolder + QLatin1Char('/');
    return resolvedParent == resolvedFolder || resolvedParent.startsWith(within);
}

bool DiskEvaluationFiles::ReplaceWhole(const std::string& path, std::string_view bytes) {
    return ReplaceFileWhole(QtPath(path),
                            QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::unique_ptr<ByteSource> DiskEvaluationFiles::OpenForReading(const std::string& path) {
    return OpenRegularFile(QtPath(path));
}

} // namespace corvane
