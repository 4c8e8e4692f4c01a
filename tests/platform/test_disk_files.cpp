// The files the program writes and reads on the disk, with faults injected through the system's
// own calls: a failing sync, a file-size limit, pipes and devices where a file was expected.
#include "platform/desktop/AppPaths.h"
#include "platform/files/DiskEvaluationFiles.h"
#include "platform/files/FileSizeLimit.h"
#include "platform/files/ReplaceFile.h"
#include "platform/files/TemporaryFiles.h"
#include "tests/support/FileContent.h"
#include "tests/support/NonRegularEntries.h"
#include "tests/support/ScriptedDesktop.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <condition_variable>
#include <mutex>
#include <thread>

#include <cerrno>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace corvane;

Q_DECLARE_METATYPE(corvane::NewFileOutcome)

namespace {

int gFileSyncs = 0;
int gFolderSyncs = 0;
bool gFailFileSyncs = false;

} // namespace

// Every sync the program asks for passes through here before it reaches the system.
extern "C" int fsync(int fd) {
    struct stat status {};
    if (fstat(fd, &status) == 0 && S_ISDIR(status.st_mode)) {
        ++gFolderSyncs;
    } else {
        ++gFileSyncs;
        if (gFailFileSyncs) {
            errno = EIO;
            return -1;
        }
    }
    return static_cast<int>(syscall(SYS_fsync, fd));
}

namespace {

void SetAge(const QString& path, qint64 seconds) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-seconds),
                             QFileDevice::FileModificationTime));
}

// Runs `open` while a watchdog stands ready to feed the pipe at `fifo`, so that an opening that
// blocks on it is released and reported instead of holding the test for ever.
template <typename Open> bool OpensWithoutBlocking(const QString& fifo, Open open) {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (!done.wait_for(lock, std::chrono::seconds(3), [&] { return finished; })) {
            const int writer = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
            if (writer >= 0) {
                close(writer);
            }
        }
    });
    QElapsedTimer clock;
    clock.start();
    open();
    {
        const std::lock_guard lock(mutex);
        finished = true;
    }
    done.notify_one();
    watchdog.join();
    return clock.elapsed() < 2000;
}

} // namespace

class TestDiskFiles : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString folder_;

    QString Path(const QString& name) const { return folder_ + name; }

private slots:
    void init() {
        folder_ =
            dir_.path() + "/case" + QString::number(QRandomGenerator::global()->generate()) + "/";
        QVERIFY(QDir().mkpath(folder_));
        gFileSyncs = gFolderSyncs = 0;
        gFailFileSyncs = false;
    }

    void permissions_data() {
        QTest::addColumn<int>("umask");
        QTest::addColumn<int>("oldMode"); // 0: no file before
        QTest::addColumn<int>("newMode");
        QTest::newRow("new file, usual umask") << 022 << 0 << 0644;
        QTest::newRow("new file, private umask") << 077 << 0 << 0600;
        QTest::newRow("new file, group umask") << 002 << 0 << 0664;
        QTest::newRow("replaced file keeps its mode") << 022 << 0660 << 0660;
        QTest::newRow("replaced private file stays private") << 002 << 0600 << 0600;
    }

    void permissions() {
        QFETCH(int, umask);
        QFETCH(int, oldMode);
        QFETCH(int, newMode);
        if (oldMode != 0) {
            WriteAll(Path("A.ini"), "old");
            QCOMPARE(chmod(QFile::encodeName(Path("A.ini")).constData(), mode_t(oldMode)), 0);
        }
        const mode_t previous = ::umask(mode_t(umask));
        const bool written = ReplaceFileWhole(Path("A.ini"), "new");
        ::umask(previous);
        QVERIFY(written);
        QCOMPARE(ReadAll(Path("A.ini")), QByteArray("new"));
        QCOMPARE(ModeOf(Path("A.ini")), newMode);
    }

    void failuresLeaveEverythingAsItWas_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("mode");
        QTest::newRow("read-only file") << "A.ini" << 0444;
        QTest::newRow("file without any permission") << "A.ini" << 0;
        QTest::newRow("a folder of that name") << "FOLDER" << 0644;
        QTest::newRow("missing folder") << "NOWHERE/A.ini" << 0644;
        QTest::newRow("name longer than the file system takes") << QString(256, 'N') << 0644;
    }

    void failuresLeaveEverythingAsItWas() {
        QFETCH(QString, name);
        QFETCH(int, mode);
        WriteAll(Path("A.ini"), "kept");
        QCOMPARE(chmod(QFile::encodeName(Path("A.ini")).constData(), mode_t(mode)), 0);
        QVERIFY(QDir(folder_).mkdir("FOLDER"));
        const QStringList before = Entries(folder_);

        QVERIFY(!ReplaceFileWhole(Path(name), "new"));

        QCOMPARE(Entries(folder_), before);
        QCOMPARE(ReadAll(Path("A.ini")), QByteArray("kept"));
        QCOMPARE(ModeOf(Path("A.ini")), mode);
    }

    // A new file is written whole where nothing is, and never over anything already there,
    // not even a link that leads nowhere.
    void newFilesNeverReplaceAnything_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<NewFileOutcome>("outcome");
        QTest::newRow("free name") << "NEW.pdf" << NewFileOutcome::Written;
        QTest::newRow("a file") << "A.pdf" << NewFileOutcome::AlreadyThere;
        QTest::newRow("a folder") << "FOLDER" << NewFileOutcome::AlreadyThere;
        QTest::newRow("a dangling link") << "LINK.pdf" << NewFileOutcome::AlreadyThere;
        QTest::newRow("missing folder") << "NOWHERE/A.pdf" << NewFileOutcome::Failed;
    }

    void newFilesNeverReplaceAnything() {
        QFETCH(QString, name);
        QFETCH(NewFileOutcome, outcome);
        WriteAll(Path("A.pdf"), "kept");
        QVERIFY(QDir(folder_).mkdir("FOLDER"));
        QVERIFY(QFile::link(Path("gone"), Path("LINK.pdf")));
        QStringList expected = Entries(folder_);

        QCOMPARE(WriteNewFileWhole(Path(name), "new"), outcome);

        if (outcome == NewFileOutcome::Written) {
            QCOMPARE(ReadAll(Path(name)), QByteArray("new"));
            expected = QStringList(expected) << name;
            expected.sort();
        }
        QCOMPARE(Entries(folder_), expected);
        QCOMPARE(ReadAll(Path("A.pdf")), QByteArray("kept"));
        QVERIFY(!QFileInfo::exists(Path("gone")));
    }

    // The file system takes names of up to 255 bytes; the temporary name must never be the
    // one that does not fit.
    void theLongestNameIsWritten() {
        const QString name = QString(251, 'L') + ".ini";
        QVERIFY(ReplaceFileWhole(Path(name), "content"));
        QCOMPARE(Entries(folder_), QStringList{name});
    }

    void theFileAndThenItsFolderAreSynced() {
        QVERIFY(ReplaceFileWhole(Path("A.ini"), "content"));
        QCOMPARE(gFileSyncs, 1);
        QCOMPARE(gFolderSyncs, 1);
    }

    void aFailedSyncKeepsTheOldFile() {
        WriteAll(Path("A.ini"), "kept");
        gFailFileSyncs = true;
        QVERIFY(!ReplaceFileWhole(Path("A.ini"), "new"));
        QCOMPARE(ReadAll(Path("A.ini")), QByteArray("kept"));
        QCOMPARE(Entries(folder_), QStringList{"A.ini"});
    }

    // Run in a child process, as the program runs: the limit must end the write, not the process.
    void aFileSizeLimitFailsTheWrite() {
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            TreatFileSizeLimitAsWriteError();
            const rlimit none{0, 0};
            setrlimit(RLIMIT_FSIZE, &none);
            _exit(ReplaceFileWhole(Path("A.ini"), "content") ? 0 : 3);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY2(WIFEXITED(status), "the child was killed by a signal");
        QCOMPARE(WEXITSTATUS(status), 3);
        QCOMPARE(Entries(folder_), QStringList());
    }

    void temporaryNamesStayOutOfTheLists() {
        for (int i = 0; i < 2000; ++i) {
            const QString name = NewTemporaryName();
            QCOMPARE(name.size(), NewTemporaryName().size());
            QVERIFY(name.startsWith('.'));
            QVERIFY(!name.endsWith("ini", Qt::CaseInsensitive));
            QVERIFY(!name.endsWith("jpeg", Qt::CaseInsensitive));
            QVERIFY(IsOwnTemporaryName(name));
        }
    }

    // Start-up removes what a killed save left behind, and nothing else.
    void startUpSweepsStaleTemporaries() {
        ScriptedDesktop desktop;
        desktop.documentsFolder = folder_;
        const AppPaths first = PrepareAppPaths(desktop);
        const QString stale[]{first.evaluations + ".cvabcd1234.tmp",
                              first.evaluations + ".FETE DU VILLAGE.ini.WaXisJ",
                              first.images + ".cv0000zzzz.tmp",
                              first.images + ".FETE_2026.jpeg.ptJpXr"};
        const QString kept[]{first.evaluations + ".cv99999999.tmp", // young: a save in progress
                             first.evaluations + "A.ini",
                             first.evaluations + ".hidden",
                             first.evaluations + ".A.ini.abc",
                             first.evaluations + "A.ini.WaXisJ",
                             first.images + "B.tmp"};
        for (const QString& path : stale) {
            WriteAll(path, "x");
            SetAge(path, 2 * 3600);
        }
        for (const QString& path : kept) {
            WriteAll(path, "x");
            SetAge(path, path.contains(".cv9") ? 600 : 2 * 3600);
        }

        PrepareAppPaths(desktop);

        for (const QString& path : stale) {
            QVERIFY2(!QFile::exists(path), qPrintable(path));
        }
        for (const QString& path : kept) {
            QVERIFY2(QFile::exists(path), qPrintable(path));
        }
    }

    void onlyRegularFilesOpen_data() {
        QTest::addColumn<QString>("what");
        QTest::newRow("pipe") << "fifo";
        QTest::newRow("link to an endless device") << "zero";
        QTest::newRow("folder") << "folder";
        QTest::newRow("missing") << "missing";
    }

    void onlyRegularFilesOpen() {
        QFETCH(QString, what);
        const QString fifo = Path("TUBE.ini");
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(QFile::link("/dev/zero", Path("zero.ini")));
        QVERIFY(QDir(folder_).mkdir("folder.ini"));
        const QString path = what == "fifo" ? fifo : Path(what + ".ini");
        DiskEvaluationFiles files;
        std::unique_ptr<ByteSource> source;

        QVERIFY(
            OpensWithoutBlocking(fifo, [&] { source = files.OpenForReading(path.toStdString()); }));
        QVERIFY(source == nullptr);
    }
};

QTEST_GUILESS_MAIN(TestDiskFiles)
#include "test_disk_files.moc"
