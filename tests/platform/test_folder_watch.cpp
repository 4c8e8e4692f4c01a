// Following folders with inotify. Whether a change was told is read once a later change in
// another followed folder, the marker, is told: the watch reads events in order and posts a
// burst's calls in the order of their first event, so the earlier call would have come first.
#include "platform/desktop/linux/InotifyFolderWatch.h"
#include "platform/files/TemporaryFiles.h"
#include "tests/support/FileContent.h"

#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace corvane;
using Change = std::function<void(const QString& folder)>;
Q_DECLARE_METATYPE(Change)

namespace {

bool NotTemporary(const QString& name, bool) {
    return !IsOwnTemporaryName(name);
}

// Long enough for the watch's thread to post a call for a change made just before.
void LetTheWatchPost() {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

struct Follow {
    QObject receiver;
    int calls = 0;
    FolderWatch::Handle handle = 0;

    Follow(
        FolderWatch& watch, const QString& folder, std::function<void()> alsoDo = [] {}) {
        handle = watch.Follow(folder, NotTemporary, &receiver, [this, alsoDo] {
            ++calls;
            alsoDo();
        });
    }
};

} // namespace

class TestFolderWatch : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    int run_ = 0;
    QString folder_;
    std::unique_ptr<InotifyFolderWatch> watch_;
    std::unique_ptr<Follow> marker_;

    void WaitForMarker() {
        const int before = marker_->calls;
        WriteAll(QString("%1/marker%2/%3").arg(dir_.path()).arg(run_).arg(before), "");
        QTRY_VERIFY_WITH_TIMEOUT(marker_->calls > before, 10000);
    }

private slots:
    void init() {
        folder_ = QString("%1/followed%2/").arg(dir_.path()).arg(++run_);
        QVERIFY(QDir().mkpath(folder_ + "sub"));
        QVERIFY(QDir().mkpath(QString("%1/marker%2").arg(dir_.path()).arg(run_)));
        WriteAll(folder_ + "a.ini", "evaluation");
        watch_ = std::make_unique<InotifyFolderWatch>();
        marker_ =
            std::make_unique<Follow>(*watch_, QString("%1/marker%2").arg(dir_.path()).arg(run_));
        QVERIFY(marker_->handle != 0);
    }

    void cleanup() { watch_.reset(); }

    void changes_data() {
        QTest::addColumn<Change>("change");
        QTest::addColumn<bool>("told");
        const QString outside = dir_.path() + "/outside.ini";
        QTest::newRow("created") << Change([](auto f) { WriteAll(f + "b.ini", ""); }) << true;
        QTest::newRow("deleted") << Change([](auto f) { QFile::remove(f + "a.ini"); }) << true;
        QTest::newRow("moved in") << Change([=](auto f) {
            WriteAll(outside, "");
            QFile::rename(outside, f + "b.ini");
        }) << true;
        QTest::newRow("moved out")
            << Change([=](auto f) { QFile::rename(f + "a.ini", outside); }) << true;
        QTest::newRow("permissions")
            << Change([](auto f) { chmod(QFile::encodeName(f + "a.ini").constData(), 0400); })
            << true;
        QTest::newRow("written into") << Change([](auto f) {
            QFile file(f + "a.ini");
            QVERIFY(file.open(QIODevice::ReadWrite) && file.write("more") == 4);
        }) << true;
        QTest::newRow("folder renamed away")
            << Change([=](auto f) { QDir().rename(f, outside + ".d"); }) << true;
        QTest::newRow("in a sub-folder")
            << Change([](auto f) { WriteAll(f + "sub/b.ini", ""); }) << false;
        QTest::newRow("temporary file")
            << Change([](auto f) { WriteAll(f + NewTemporaryName(), ""); }) << false;
    }
    void changes() {
        QFETCH(Change, change);
        QFETCH(bool, told);
        const Follow follow(*watch_, folder_);
        QVERIFY(follow.handle != 0);
        change(folder_);
        WaitForMarker();
        QCOMPARE(follow.calls > 0, told);
    }

    // Only the folder's own event tells it: it is empty.
    void folderDeleted() {
        const Follow follow(*watch_, folder_ + "sub/");
        QVERIFY(QDir().rmdir(folder_ + "sub"));
        WaitForMarker();
        QVERIFY(follow.calls > 0);
    }

    // A program that never shows a list pays for no thread; forgetting through it does nothing.
    void unusedWatchStartsNoThread() {
        const auto threads = [] {
            return QDir(QStringLiteral("/proc/self/task"))
                .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                .size();
        };
        const qsizetype before = threads();
        InotifyFolderWatch unused;
        unused.Forget(1);
        QCOMPARE(threads(), before);
        QVERIFY(Follow(unused, folder_).handle != 0);
        QCOMPARE(threads(), before + 1);
    }

    void followRefusesWhatIsNoFolder() {
        QCOMPARE(Follow(*watch_, folder_ + "a.ini").handle, 0);
        QCOMPARE(watch_->Follow(folder_, {}, nullptr, [] {}), 0);
    }

    // The folder goes, then a folder is back at its path: the follow is told each time, and
    // what changes in the new folder is told too. `followed` is a path under the test's folder.
    void folderComesBack_data() {
        QTest::addColumn<QString>("followed");
        QTest::addColumn<Change>("gone");
        QTest::addColumn<Change>("back");
        QTest::addColumn<bool>("toldWhenGone");
        const Change nothing = [](auto) {};
        const Change removed = [](auto f) { QVERIFY(QDir(f).removeRecursively()); };
        QTest::newRow("deleted with its content")
            << QString() << removed << Change([](auto f) { QVERIFY(QDir().mkpath(f)); }) << true;
        QTest::newRow("moved away, another moved in") << QString() << Change([](auto f) {
            QVERIFY(QDir().rename(f, f.chopped(1) + ".away"));
        }) << Change([](auto f) {
            QVERIFY(QDir().mkdir(f.chopped(1) + ".new"));
            QVERIFY(QDir().rename(f.chopped(1) + ".new", f));
        }) << true;
        QTest::newRow("parent deleted")
            << QString("sub/") << removed
            << Change([](auto f) { QVERIFY(QDir().mkpath(f + "sub")); }) << true;
        QTest::newRow("not made yet")
            << QString("later/later/") << nothing
            << Change([](auto f) { QVERIFY(QDir().mkpath(f + "later/later")); }) << false;
    }
    void folderComesBack() {
        QFETCH(QString, followed);
        QFETCH(Change, gone);
        QFETCH(Change, back);
        QFETCH(bool, toldWhenGone);
        const Follow follow(*watch_, folder_ + followed);
        QVERIFY(follow.handle != 0);
        gone(folder_);
        WaitForMarker();
        QCOMPARE(follow.calls > 0, toldWhenGone);
        const int whenGone = follow.calls;
        back(folder_);
        WaitForMarker();
        QVERIFY(follow.calls > whenGone);
        const int whenBack = follow.calls;
        WriteAll(folder_ + followed + "b.ini", "");
        WaitForMarker();
        QVERIFY(follow.calls > whenBack);
    }

    void missingFolderIsNotToldOtherNames() {
        const Follow follow(*watch_, folder_ + "later/");
        WriteAll(folder_ + "later.ini", "");
        QVERIFY(QDir(folder_).mkdir("other"));
        WaitForMarker();
        QCOMPARE(follow.calls, 0);
    }

    // Deleted, the sub-folder waits on the followed folder's own watch: it comes back through
    // it, and forgetting it leaves the followed folder's follow undisturbed.
    void waitingOnAFollowedFolder() {
        const Follow parent(*watch_, folder_);
        const Follow sub(*watch_, folder_ + "sub/");
        QVERIFY(QDir(folder_).rmdir("sub"));
        WaitForMarker();
        const int whenGone = sub.calls;
        QVERIFY(QDir(folder_).mkdir("sub"));
        WaitForMarker();
        QVERIFY(sub.calls > whenGone);
        QVERIFY(QDir(folder_).rmdir("sub"));
        WaitForMarker();
        const int parentCalls = parent.calls;
        watch_->Forget(sub.handle);
        WaitForMarker();
        QCOMPARE(parent.calls, parentCalls);
    }

    // Another thread makes the files one after the other while the window is busy, or while
    // it waits for calls; the last call reads the folder after the last file was made.
    void burstIsToldByAFewCalls_data() {
        QTest::addColumn<int>("files");
        QTest::addColumn<bool>("windowBusy");
        QTest::addColumn<int>("mostCalls");
        QTest::newRow("1000 files, window busy") << 1000 << true << 10;
        QTest::newRow("50 files, window waiting") << 50 << false << 5;
    }
    void burstIsToldByAFewCalls() {
        QFETCH(int, files);
        QFETCH(bool, windowBusy);
        QFETCH(int, mostCalls);
        qsizetype seen = 0;
        const Follow follow(*watch_, folder_,
                            [&] { seen = QDir(folder_).entryList(QDir::Files).size(); });
        std::thread maker([folder = QFile::encodeName(folder_), files] {
            for (int i = 1; i < files; ++i) { // a.ini is the first
                const QByteArray path = folder + QByteArray::number(i);
                close(open(path.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
            }
        });
        if (windowBusy) {
            maker.join();
        }
        QTRY_COMPARE_WITH_TIMEOUT(seen, files, 10000);
        if (!windowBusy) {
            maker.join();
        }
        QVERIFY2(follow.calls <= mostCalls, qPrintable(QString::number(follow.calls)));
    }

    // A folder that never goes quiet for long is still told, well before its changes stop.
    void steadyStreamIsToldWhileItLasts() {
        const Follow follow(*watch_, folder_);
        std::atomic<bool> stop{false};
        const auto writeSteadily = [&stop, path = QFile::encodeName(folder_ + "a.ini")] {
            const int file = open(path.constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
            while (!stop && write(file, "x", 1) == 1) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            close(file);
        };
        std::thread writer(writeSteadily);
        const auto stopWriting = qScopeGuard([&] {
            stop = true;
            writer.join();
        });
        QTRY_VERIFY_WITH_TIMEOUT(follow.calls > 0, 5000);
    }

    // Changes made while a call waits are told by it; one read during the call brings one more.
    void callsDoNotPileUp() {
        const Follow follow(*watch_, folder_, [&] {
            if (QDir(folder_).mkdir("during")) {
                LetTheWatchPost();
            }
        });
        for (const char* name : {"b", "c", "d"}) {
            QVERIFY(QDir(folder_).mkdir(name));
            LetTheWatchPost();
        }
        QTRY_COMPARE_WITH_TIMEOUT(follow.calls, 2, 10000);
        WaitForMarker();
        QCOMPARE(follow.calls, 2);
    }

    void sameFolderTwiceThenForgotten() {
        const Follow first(*watch_, folder_);
        const Follow second(*watch_, folder_);
        QVERIFY(first.handle != 0 && second.handle != 0 && first.handle != second.handle);
        WriteAll(folder_ + "b.ini", "new");
        LetTheWatchPost();
        watch_->Forget(first.handle); // with its call posted
        QTRY_COMPARE_WITH_TIMEOUT(second.calls, 1, 10000);
        WriteAll(folder_ + "c.ini", "new");
        QTRY_COMPARE_WITH_TIMEOUT(second.calls, 2, 10000);
        WaitForMarker();
        QCOMPARE(first.calls, 0);
    }

    void destroyedWithACallPosted_data() {
        QTest::addColumn<bool>("receiverFirst");
        QTest::newRow("receiver alive") << false;
        QTest::newRow("receiver destroyed first") << true;
    }
    void destroyedWithACallPosted() {
        QFETCH(bool, receiverFirst);
        int calls = 0;
        auto follow = std::make_unique<Follow>(*watch_, folder_, [&] { ++calls; });
        WriteAll(folder_ + "b.ini", "new");
        LetTheWatchPost();
        if (receiverFirst) {
            follow.reset();
        }
        watch_.reset();
        QCoreApplication::sendPostedEvents();
        QCOMPARE(calls, 0);
    }

    // Changes made behind a FUSE mount never reach inotify: such a folder is not seen whole.
    void aFuseMountIsNotSeenWhole() {
        QTemporaryDir behind;
        QTemporaryDir mount;
        QVERIFY(watch_->SeesEveryChange(behind.path()));
        QProcess bindfs;
        bindfs.start("bindfs", {behind.path(), mount.path()});
        if (!bindfs.waitForFinished(10000) || bindfs.exitCode() != 0) {
            QSKIP("bindfs cannot mount here");
        }
        const bool seen = watch_->SeesEveryChange(mount.path());
        QProcess::execute("fusermount", {"-u", mount.path()});
        QVERIFY(!seen);
    }
};

QTEST_GUILESS_MAIN(TestFolderWatch)
#include "test_folder_watch.moc"
