#include "platform/files/TemporaryFiles.h"

#include "platform/files/FolderReading.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace corvane {

namespace {

constexpr int kRandomLetters = 8;
constexpr qint64 kStaleAfterSeconds = 60 * 60;

const QRegularExpression& OwnTemporaryPattern() {
    static const QRegularExpression pattern(
        QStringLiteral("^(\\.cv[a-z0-9]{%1}\\.tmp|\\..+\\.(ini|jpeg)\\.[A-Za-z0-9]{6})$")
            .arg(kRandomLetters));
    return pattern;
}

} // namespace

QString NewTemporaryName() {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString name = QStringLiteral(".cv");
    for (int i = 0; i < kRandomLetters; ++i) {
        name +=
            QLatin1Char(kLetters[QRandomGenerator::global()->bounded(int{sizeof kLetters} - 1)]);
    }
    return name + QStringLiteral(".tmp");
}

// Every file list asks this of every name it reads: the hidden-name test spares the pattern
// nearly all of them.
bool IsOwnTemporaryName(const QString& name) {
    return name.startsWith(u'.') && OwnTemporaryPattern().match(name).hasMatch();
}

void RemoveStaleTemporaries(const QString& folder) {
    const QDateTime staleBefore = QDateTime::currentDateTimeUtc().addSecs(-kStaleAfterSeconds);
    // Only the names of temporaries are looked at more closely, so that a folder of thousands
    // of evaluations costs no more than reading its names.
    const std::vector<FileEntry> temporaries =
        ReadFolder(folder, [](const QString& name, bool isFolder) {
            return !isFolder && IsOwnTemporaryName(name);
        });
    for (const FileEntry& temporary : temporaries) {
        const QFileInfo entry(QDir(folder).filePath(temporary.name));
        if (entry.isFile() && !entry.isSymLink() && entry.lastModified().toUTC() < staleBefore) {
            QFile::remove(entry.absoluteFilePath());
        }
    }
}

} // namespace corvane
