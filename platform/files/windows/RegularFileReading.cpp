#include "platform/files/RegularFileReading.h"

#include <QFile>
#include <QFileInfo>

namespace corvane {

namespace {

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

} // namespace

std::unique_ptr<ByteSource> OpenRegularFile(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        return nullptr;
    }
    auto source = std::make_unique<FileByteSource>(path);
    return source->Open() ? std::move(source) : nullptr;
}

Qt::CaseSensitivity FileNameCase() {
    return Qt::CaseInsensitive;
}

} // namespace corvane
