#include "DiskEvaluationFiles.h"

#include "platform/ReplaceFile.h"

#include <QFile>
#include <QFileInfo>

namespace corvane {

namespace {

QString QtPath(const std::string& path) {
    return QString::fromStdString(path);
}

class FileByteSource : public ByteSource {
public:
    explicit FileByteSource(const QString& path) : file_(path) {}
    bool Open() { return file_.open(QIODevice::ReadOnly); }

    std::ptrdiff_t Read(char* buffer, std::size_t capacity) override {
        return static_cast<std::ptrdiff_t>(file_.read(buffer, static_cast<qint64>(capacity)));
    }

private:
    QFile file_;
};

} // namespace

bool DiskEvaluationFiles::Exists(const std::string& path) {
    // A dangling link still occupies the name.
    const QFileInfo info(QtPath(path));
    return info.exists() || info.isSymLink();
}

bool DiskEvaluationFiles::ReplaceWhole(const std::string& path, std::string_view bytes) {
    return ReplaceFileWhole(QtPath(path),
                            QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::unique_ptr<ByteSource> DiskEvaluationFiles::OpenForReading(const std::string& path) {
    auto source = std::make_unique<FileByteSource>(QtPath(path));
    if (!source->Open()) {
        return nullptr;
    }
    return source;
}

} // namespace corvane
