#include "platform/TemporaryFiles.h"

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

bool IsOwnTemporaryName(const QString& name) {
    return OwnTemporaryPattern().match(name).hasMatch();
}

void RemoveStaleTemporaries(const QString& folder) {
    const QDateTime staleBefore = QDateTime::currentDateTimeUtc().addSecs(-kStaleAfterSeconds);
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo& entry : entries) {
        if (entry.isFile() && !entry.isSymLink() && IsOwnTemporaryName(entry.fileName()) &&
            entry.lastModified().toUTC() < staleBefore) {
            QFile::remove(entry.absoluteFilePath());
        }
    }
}

} // namespace corvane
