// Following folders with ReadDirectoryChangesW. Whether a change was told is read once a later
// change in another followed folder, the marker, is told: the watch posts a burst's calls in
// the order of their first change, so the earlier call would have come first.
#include "platform/desktop/windows/WindowsFolderWatch.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <windows.h>

#include <tlhelp32.h>

#include <atomic>
#include <thread>

using namespace corvane;
using Change = std::function<void(const QString& folder)>;
Q_DECLARE_METATYPE(Change)

namespace {

bool UnderWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

void Write(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::Append) && file.write("x") == 1);
}

int ThreadCount() {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        count += entry.th32OwnerProcessID == GetCurrentProcessId() ? 1 : 0;
    }
    CloseHandle(snapshot);
    return count;
}

// Files ending in .tmp do not concern the follow; folders all do.
struct Follow {
    QObject receiver;
    int calls = 0;
    FolderWatch::Handle handle = 0;

    Follow(FolderWatch& watch, const QString& folder) {
        const auto concerns = [](const QString& name, bool isFolder) {
            return isFolder || !name.endsWith(QStringLiteral(".tmp"));
        };
        handle = watch.Follow(folder, concerns, &receiver, [this] { ++calls; });
    }
};

} // namespace

class TestWindowsFolderWatch : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    int run_ = 0;
    QString folder_;
    QString marked_;
    std::unique_ptr<WindowsFolderWatch> watch_;
    std::unique_ptr<Follow> marker_;

    void WaitForMarker() {
        const int before = marker_->calls;
        Write(marked_ + QString::number(before));
        QTRY_VERIFY_WITH_TIMEOUT(marker_->calls > before, 10000);
    }

private slots:
    void init() {
        folder_ = QString("%1/followed%2/").arg(dir_.path()).arg(++run_);
        marked_ = QString("%1/marker%2/").arg(dir_.path()).arg(run_);
        QVERIFY(QDir().mkpath(folder_ + "sub") && QDir().mkpath(marked_));
        Write(folder_ + "a.ini");
        watch_ = std::make_unique<WindowsFolderWatch>();
        marker_ = std::make_unique<Follow>(*watch_, marked_);
        QVERIFY(marker_->handle != 0);
    }

    void cleanup() { watch_.reset(); }

    void changes_data() {
        QTest::addColumn<Change>("change");
        QTest::addColumn<bool>("told");
        const QString outside = dir_.path() + "/outside.ini";
        QTest::newRow("created") << Change([](auto f) { Write(f + "b.ini"); }) << true;
        QTest::newRow("deleted") << Change([](auto f) { QFile::remove(f + "a.ini"); }) << true;
        QTest::newRow("renamed") << Change([](auto f) { QFile::rename(f + "a.ini", f + "b"); })
                                 << true;
        QTest::newRow("moved in") << Change([=](auto f) {
            Write(outside);
            QFile::rename(outside, f + "b.ini");
        }) << true;
        QTest::newRow("written into") << Change([](auto f) { Write(f + "a.ini"); }) << true;
        QTest::newRow("hidden") << Change([](auto f) {
            SetFileAttributesW(
                reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(f + "a.ini").utf16()),
                FILE_ATTRIBUTE_HIDDEN);
        }) << true;
        QTest::newRow("folder named as filtered")
            << Change([](auto f) { QDir(f).mkdir("b.tmp"); }) << true;
        QTest::newRow("filtered") << Change([](auto f) { Write(f + "b.tmp"); }) << false;
        QTest::newRow("in a sub-folder") << Change([](auto f) { Write(f + "sub/b.ini"); }) << false;
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

    // Told when the folder goes, when it is back, and of a change in the folder back.
    void folderComesBack_data() {
        QTest::addColumn<QString>("followed");
        QTest::addColumn<Change>("gone");
        QTest::addColumn<Change>("back");
        QTest::addColumn<bool>("toldWhenGone");
        QTest::newRow("deleted") << QString("sub/")
                                 << Change([](auto f) { QVERIFY(QDir(f).rmdir("sub")); })
                                 << Change([](auto f) { QVERIFY(QDir(f).mkdir("sub")); }) << true;
        QTest::newRow("moved away, another moved in") << QString() << Change([](auto f) {
            QVERIFY(QDir().rename(f, f.chopped(1) + ".away"));
        }) << Change([](auto f) {
            QVERIFY(QDir().mkdir(f.chopped(1) + ".new"));
            QVERIFY(QDir().rename(f.chopped(1) + ".new", f));
        }) << true;
        QTest::newRow("not made yet, named in other letter case")
            << QString("Later/LATER/") << Change([](auto) {})
            << Change([](auto f) { QVERIFY(QDir().mkpath(f + "later/later")); }) << false;
    }
    void folderComesBack() {
        QFETCH(QString, followed);
        QFETCH(Change, gone);
        QFETCH(Change, back);
        QFETCH(bool, toldWhenGone);
        if (QByteArray(QTest::currentDataTag()) == "deleted" && UnderWine()) {
            QSKIP("wine deletes a folder only once every handle to it is closed, and until then "
                  "completes no read of its changes: the deletion is never told");
        }
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
        Write(folder_ + followed + "b.ini");
        WaitForMarker();
        QVERIFY(follow.calls > whenBack);
    }

    // The window is busy while the watch tells each change: the call waiting tells them all.
    void callsDoNotPileUp() {
        const Follow follow(*watch_, folder_);
        for (const char* name : {"b", "c", "d"}) {
            Write(folder_ + name);
            QTest::qSleep(300);
        }
        QTRY_COMPARE_WITH_TIMEOUT(follow.calls, 1, 10000);
        WaitForMarker();
        QCOMPARE(follow.calls, 1);
    }

    // Made by another thread 5 ms apart while the window waits for calls, 20 files are told by
    // a few calls.
    void burstIsToldByAFewCalls() {
        const Follow follow(*watch_, folder_);
        std::atomic<bool> made{false};
        std::thread maker([&] {
            for (int i = 0; i < 20; ++i) {
                QFile(folder_ + QString::number(i)).open(QIODevice::WriteOnly);
                QTest::qSleep(5);
            }
            made = true;
        });
        QTRY_VERIFY_WITH_TIMEOUT(made, 10000);
        maker.join();
        WaitForMarker();
        QVERIFY2(follow.calls >= 1 && follow.calls <= 4, qPrintable(QString::number(follow.calls)));
    }

    // While the watch's thread waits in the filter, more changes come than a read holds: the
    // follow is told, though the filter takes none of their names.
    void lostChangesAreTold() {
        QObject receiver;
        int calls = 0;
        std::atomic<bool> made{false};
        const auto concerns = [&made](const QString&, bool) {
            for (int waited = 0; !made && waited < 1000; ++waited) {
                QTest::qSleep(10);
            }
            return false;
        };
        QVERIFY(watch_->Follow(folder_, concerns, &receiver, [&] { ++calls; }) != 0);
        for (int i = 0; i < 1000; ++i) {
            QFile(folder_ + QString(100, u'x') + QString::number(i)).open(QIODevice::WriteOnly);
        }
        made = true;
        WaitForMarker();
        QVERIFY(calls > 0);
    }

    void sameFolderTwiceThenForgotten() {
        const Follow first(*watch_, folder_);
        const Follow second(*watch_, folder_);
        QVERIFY(first.handle != 0 && second.handle != 0 && first.handle != second.handle);
        Write(folder_ + "b.ini");
        QTest::qSleep(300); // the call is posted meanwhile
        watch_->Forget(first.handle);
        QTRY_COMPARE_WITH_TIMEOUT(second.calls, 1, 10000);
        Write(folder_ + "c.ini");
        QTRY_COMPARE_WITH_TIMEOUT(second.calls, 2, 10000);
        WaitForMarker();
        QCOMPARE(first.calls, 0);
    }

    void destroyedWithACallPosted() {
        const Follow follow(*watch_, folder_);
        Write(folder_ + "b.ini");
        QTest::qSleep(300);
        watch_.reset();
        QCoreApplication::sendPostedEvents();
        QCOMPARE(follow.calls, 0);
    }

    void unusedWatchStartsNoThread() {
        const int before = ThreadCount();
        WindowsFolderWatch unused;
        unused.Forget(1);
        QCOMPARE(ThreadCount(), before);
        QVERIFY(Follow(unused, folder_).handle != 0);
        QCOMPARE(ThreadCount(), before + 1);
    }

    void refusalsAndShares() {
        QCOMPARE(Follow(*watch_, folder_ + "a.ini").handle, 0);
        QCOMPARE(watch_->Follow(folder_, {}, nullptr, [] {}), 0);
        QVERIFY(watch_->SeesEveryChange(folder_));
        QVERIFY(!watch_->SeesEveryChange("//server/share/folder"));
    }
};

QTEST_GUILESS_MAIN(TestWindowsFolderWatch)
#include "test_windows_folder_watch.moc"
