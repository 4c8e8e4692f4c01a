// Deleting a file for good: read-only files go too, links go without touching what they point
// to, a second name leaves the first as it was, and folders stay.
#include "platform/desktop/FileRemoval.h"
#include "tests/support/FileContent.h"
#include "tests/support/NonRegularEntries.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace corvane;

namespace {

bool Present(const QString& path) {
    return ModeOf(path) != -1;
}

} // namespace

class TestFileRemoval : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    void deleteFileForGood_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("writable file") << "writable" << true;
        QTest::newRow("read-only file") << "read-only" << true;
        QTest::newRow("link to a read-only file elsewhere") << "link" << true;
        QTest::newRow("second name of a read-only file elsewhere") << "hard link" << true;
        QTest::newRow("folder") << "folder" << false;
        QTest::newRow("missing") << "missing" << false;
    }
    void deleteFileForGood() {
        QFETCH(QString, kind);
        QFETCH(bool, deleted);
        const QString folder = dir_.path() + "/" + QTest::currentDataTag() + "/";
        QVERIFY(QDir().mkpath(folder + "inside"));
        const QString outside = folder + "outside.ini";
        WriteAll(outside, "kept");
        QVERIFY(QFile::setPermissions(outside, QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                                   QFileDevice::ReadOther));
        const QString path = folder + "inside/" + kind;
        if (kind == "writable" || kind == "read-only") {
            WriteAll(path, "evaluation");
        }
        if (kind == "read-only") {
            QCOMPARE(chmod(QFile::encodeName(path).constData(), 0444), 0);
        }
        if (kind == "link") {
            QVERIFY(QFile::link(outside, path));
        }
        if (kind == "hard link") {
            QCOMPARE(
                link(QFile::encodeName(outside).constData(), QFile::encodeName(path).constData()),
                0);
        }
        if (kind == "folder") {
            QVERIFY(QDir().mkdir(path));
        }

        QCOMPARE(DeleteFileForGood(path), deleted);
        QCOMPARE(Present(path), kind == "folder");
        QCOMPARE(ModeOf(outside), 0444);
        QCOMPARE(ReadAll(outside), QByteArray("kept"));
    }
};

QTEST_GUILESS_MAIN(TestFileRemoval)
#include "test_file_removal.moc"
