// The freedesktop.org trash as the program fills it, in a data folder of the test's own. Names are
// bytes here, as the file system holds them, some of them not UTF-8.
#include "platform/desktop/linux/RecycleBin.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace corvane;

namespace {

bool MakeFile(const QByteArray& path, const QByteArray& content) {
    const int fd = open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool written =
        fd >= 0 && write(fd, content.constData(), content.size()) == content.size();
    return close(fd) == 0 && written;
}

QByteArray Content(const QByteArray& path) {
    const int fd = open(path.constData(), O_RDONLY | O_CLOEXEC);
    QByteArray content(4096, '\0');
    const ssize_t size = fd >= 0 ? read(fd, content.data(), content.size()) : -1;
    close(fd);
    return size >= 0 ? content.left(size) : QByteArray("<missing>");
}

bool Exists(const QByteArray& path) {
    struct stat status {};
    return lstat(path.constData(), &status) == 0;
}

QList<QByteArray> Names(const QByteArray& folder) {
    QList<QByteArray> names;
    if (DIR* directory = opendir(folder.constData())) {
        while (const dirent* item = readdir(directory)) {
            if (qstrcmp(item->d_name, ".") != 0 && qstrcmp(item->d_name, "..") != 0) {
                names << item->d_name;
            }
        }
        closedir(directory);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A line of the info file, as written.
QByteArray InfoLine(const QByteArray& info, const QByteArray& key) {
    for (const QByteArray& line : info.split('\n')) {
        if (line.startsWith(key + '=')) {
            return line.mid(key.size() + 1);
        }
    }
    return "<no " + key + ">";
}

// QDir cannot remove names that are not UTF-8.
void RemoveTree(const QByteArray& path) {
    const auto removeOne = [](const char* at, const struct stat*, int, FTW*) { return remove(at); };
    nftw(path.constData(), removeOne, 16, FTW_DEPTH | FTW_PHYS);
}

const QByteArray kUid = QByteArray::number(getuid());

} // namespace

class TestRecycleBin : public QObject {
    Q_OBJECT

    QTemporaryDir root_;
    QByteArray folder_;
    QByteArray trash_;

private slots:
    void cleanupTestCase() { RemoveTree(QFile::encodeName(root_.path())); }

    void init() {
        QVERIFY(root_.isValid());
        const QByteArray root = QFile::encodeName(QFileInfo(root_.path()).canonicalFilePath());
        const QByteArray test = root + '/' + QTest::currentTestFunction();
        const QByteArray row = QByteArray(QTest::currentDataTag()).toPercentEncoding();
        folder_ = test + '/' + row + "/folder/";
        trash_ = test + '/' + row + "/data/Trash/";
        QVERIFY(QDir().mkpath(QFile::decodeName(folder_)));
        qputenv("XDG_DATA_HOME", test + '/' + row + "/data");
    }

    // The bin's name fits the info folder with ".trashinfo"; the info file keeps the full path.
    void binNames_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("binName");
        const QByteArray e = "\xc3\xa9"; // é
        QTest::newRow("own name") << e + "valuation.ini" << e + "valuation.ini";
        QTest::newRow("251 bytes")
            << QByteArray(247, 'a') + ".ini" << QByteArray(241, 'a') + ".ini";
        const QByteArray euro = "\xe2\x82\xac";
        const QByteArray ambulance = "\xf0\x9f\x9a\x91";
        QTest::newRow("cut inside a character")
            << e.repeated(123) + ".ini" << e.repeated(120) + ".ini";
        QTest::newRow("cut inside a 3-byte character") << "aa" + euro.repeated(82) + ".ini"
                                                       << "aa" + euro.repeated(79) + ".ini";
        QTest::newRow("cut inside a 4-byte character") << "aa" + ambulance.repeated(61) + ".ini"
                                                       << "aa" + ambulance.repeated(59) + ".ini";
        QTest::newRow("long extension cut with the rest")
            << QByteArray(100, 'a') + '.' + QByteArray(150, 'b')
            << QByteArray(100, 'a') + '.' + QByteArray(144, 'b');
        QTest::newRow("invalid bytes") << QByteArray(251, '\xff') << QByteArray(245, '\xff');
        QTest::newRow("folder, 255 bytes") << QByteArray(255, 'd') << QByteArray(245, 'd');
    }
    void binNames() {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, binName);
        const QByteArray path = folder_ + name;
        const bool isFolder = QTest::currentDataTag() == QByteArray("folder, 255 bytes");
        QVERIFY(isFolder ? mkdir(path.constData(), 0755) == 0 : MakeFile(path, "evaluation"));

        QElapsedTimer timer;
        timer.start();
        QCOMPARE(MoveToTrash(path), RecycleOutcome::Moved);
        QCOMPARE_LT(timer.elapsed(), 2000);

        QVERIFY(!Exists(path));
        QCOMPARE(Names(trash_ + "files"), QList<QByteArray>{binName});
        QCOMPARE(Names(trash_ + "info"), QList<QByteArray>{binName + ".trashinfo"});
        const QByteArray info = Content(trash_ + "info/" + binName + ".trashinfo");
        QVERIFY(info.startsWith("[Trash Info]\n"));
        QCOMPARE(QByteArray::fromPercentEncoding(InfoLine(info, "Path")), path);
        // Local time, seconds and no zone: the test runs 5 h 30 min from UTC.
        const QByteArray written = InfoLine(info, "DeletionDate");
        QCOMPARE(written.size(), 19);
        const QDateTime date = QDateTime::fromString(QString::fromLatin1(written), Qt::ISODate);
        QCOMPARE(date.timeSpec(), Qt::LocalTime);
        QCOMPARE_LT(qAbs(date.secsTo(QDateTime::currentDateTime())), 60);
    }

    // Two names the user reads alike stay two entries, each going to the bin on its own.
    void invalidByteAndReplacementCharacterStayApart() {
        const QByteArray invalid = "X\xff.ini";
        const QByteArray replacement = "X\xef\xbf\xbd.ini";
        QVERIFY(MakeFile(folder_ + invalid, "ff"));
        QVERIFY(MakeFile(folder_ + replacement, "fffd"));

        QCOMPARE(MoveToTrash(folder_ + invalid), RecycleOutcome::Moved);
        QCOMPARE(Names(folder_), QList<QByteArray>{replacement});
        QCOMPARE(Content(folder_ + replacement), QByteArray("fffd"));
        QCOMPARE(Content(trash_ + "files/" + invalid), QByteArray("ff"));
        QVERIFY(InfoLine(Content(trash_ + "info/" + invalid + ".trashinfo"), "Path")
                    .endsWith("/folder/X%FF.ini"));

        QCOMPARE(MoveToTrash(folder_ + replacement), RecycleOutcome::Moved);
        QCOMPARE(Names(folder_), QList<QByteArray>());
        QCOMPARE(Names(trash_ + "files"), (QList<QByteArray>{replacement, invalid}));
        QCOMPARE(Content(trash_ + "files/" + replacement), QByteArray("fffd"));
        QVERIFY(InfoLine(Content(trash_ + "info/" + replacement + ".trashinfo"), "Path")
                    .endsWith("/folder/X%EF%BF%BD.ini"));
    }

    // The XDG base directories ignore a relative data home: the bin stays under the home.
    void relativeDataHomeIsIgnored() {
        const QByteArray home = folder_ + "home";
        QCOMPARE(mkdir(home.constData(), 0700), 0);
        qputenv("HOME", home);
        qputenv("XDG_DATA_HOME", "relative-data");
        const QString working = QDir::currentPath();
        QVERIFY(QDir::setCurrent(QFile::decodeName(folder_)));
        QVERIFY(MakeFile(folder_ + "rapport.ini", "evaluation"));

        const RecycleOutcome outcome = MoveToTrash(folder_ + "rapport.ini");
        QDir::setCurrent(working);
        QCOMPARE(outcome, RecycleOutcome::Moved);
        QCOMPARE(Content(home + "/.local/share/Trash/files/rapport.ini"), "evaluation");
        QVERIFY(!Exists(folder_ + "relative-data"));
    }

    // A name held in either folder of the bin is never reused, so nothing there is replaced.
    void takenNameGetsAnother_data() {
        QTest::addColumn<QByteArray>("takenIn");
        QTest::newRow("by an earlier entry") << QByteArray("files info");
        QTest::newRow("by an entry whose info is lost") << QByteArray("files");
        QTest::newRow("by an info file left alone") << QByteArray("info");
    }
    void takenNameGetsAnother() {
        QFETCH(QByteArray, takenIn);
        QVERIFY(MakeFile(folder_ + "rapport.ini", "earlier"));
        QCOMPARE(MoveToTrash(folder_ + "rapport.ini"), RecycleOutcome::Moved);
        if (!takenIn.contains("files")) {
            QCOMPARE(unlink((trash_ + "files/rapport.ini").constData()), 0);
        }
        if (!takenIn.contains("info")) {
            QCOMPARE(unlink((trash_ + "info/rapport.ini.trashinfo").constData()), 0);
        }

        QVERIFY(MakeFile(folder_ + "rapport.ini", "later"));
        QCOMPARE(MoveToTrash(folder_ + "rapport.ini"), RecycleOutcome::Moved);
        QCOMPARE(Content(trash_ + "files/rapport.2.ini"), QByteArray("later"));
        QCOMPARE(Content(trash_ + "files/rapport.ini"),
                 QByteArray(takenIn.contains("files") ? "earlier" : "<missing>"));
        const QByteArray later = Content(trash_ + "info/rapport.2.ini.trashinfo");
        QCOMPARE(QByteArray::fromPercentEncoding(InfoLine(later, "Path")), folder_ + "rapport.ini");
        QCOMPARE(Exists(trash_ + "info/rapport.ini.trashinfo"), takenIn.contains("info"));
    }

    // The entry stays where it was and the info folder holds nothing new.
    void failureLeavesEverythingInPlace_data() {
        QTest::addColumn<QByteArray>("breakage");
        QTest::addColumn<RecycleOutcome>("outcome");
        const auto row = [](const char* breakage, RecycleOutcome outcome) {
            QTest::newRow(breakage) << QByteArray(breakage) << outcome;
        };
        row("missing entry", RecycleOutcome::Missing);
        row("files is no folder", RecycleOutcome::UnsafeBin);
        row("info read-only", RecycleOutcome::NotAllowed);
        row("the bin into itself", RecycleOutcome::Failed);
    }
    void failureLeavesEverythingInPlace() {
        QFETCH(QByteArray, breakage);
        QFETCH(RecycleOutcome, outcome);
        QByteArray path = folder_ + "rapport.ini";
        QVERIFY(QDir().mkpath(QFile::decodeName(trash_ + "info")));
        if (breakage != "missing entry") {
            QVERIFY(MakeFile(path, "evaluation"));
        }
        if (breakage == "files is no folder") {
            QVERIFY(MakeFile(trash_ + "files", "not a folder"));
        } else if (breakage == "info read-only") {
            if (geteuid() == 0) {
                QSKIP("The superuser writes in read-only folders.");
            }
            QCOMPARE(chmod((trash_ + "info").constData(), 0500), 0);
        } else if (breakage == "the bin into itself") {
            path = trash_.chopped(1);
        }

        QCOMPARE(MoveToTrash(path), outcome);
        QCOMPARE(Exists(path), breakage != "missing entry");
        QCOMPARE(Names(trash_ + "info"), QList<QByteArray>());
    }

    // On a file system of its own (scripted here: what is under "mount" is on device 2) an entry
    // goes to the bin at the top of that mount, and its info path starts from there.
    void otherFileSystemUsesItsTopDirectory_data() {
        QTest::addColumn<QByteArray>("setup");
        QTest::addColumn<QByteArray>("bin"); // under the mount; empty when the entry must stay
        QTest::addColumn<RecycleOutcome>("outcome");
        const QByteArray own = ".Trash-" + kUid;
        const auto moved = [](const char* name, const char* setup, const QByteArray& bin) {
            QTest::newRow(name) << QByteArray(setup) << bin << RecycleOutcome::Moved;
        };
        const auto refused = [](const char* name, const char* setup) {
            QTest::newRow(name) << QByteArray(setup) << QByteArray() << RecycleOutcome::UnsafeBin;
        };
        moved("no .Trash", "", own);
        moved(".Trash with the sticky bit", "sticky", ".Trash/" + kUid);
        moved(".Trash without it", "plain", own);
        moved(".Trash a link to a sticky folder", "link", own);
        moved(".Trash/$uid not a folder", "sticky, uid file", own);
        moved(".Trash-$uid open to all, made private", "own open", own);
        refused(".Trash-$uid not a folder", "own file");
        refused(".Trash-$uid a link", "own link");
        refused(".Trash-$uid someone else's", "own other");
        refused("links planted in a .Trash-$uid open to all", "own open, planted links");
    }
    void otherFileSystemUsesItsTopDirectory() {
        QFETCH(QByteArray, setup);
        QFETCH(QByteArray, bin);
        QFETCH(RecycleOutcome, outcome);
        const QByteArray mount = folder_ + "mount/";
        const QByteArray path = mount + "dossier/rapport.ini";
        QVERIFY(QDir().mkpath(QFile::decodeName(mount + "dossier")));
        QVERIFY(QDir().mkpath(QFile::decodeName(folder_ + "elsewhere")));
        QVERIFY(MakeFile(path, "evaluation"));
        if (setup.startsWith("sticky") || setup == "plain") {
            QCOMPARE(mkdir((mount + ".Trash").constData(), 0777), 0);
            QCOMPARE(chmod((mount + ".Trash").constData(), setup == "plain" ? 0777 : 01777), 0);
        }
        if (setup == "link") {
            QCOMPARE(mkdir((folder_ + "elsewhere/.Trash").constData(), 0777), 0);
            QCOMPARE(chmod((folder_ + "elsewhere/.Trash").constData(), 01777), 0);
            QCOMPARE(
                symlink((folder_ + "elsewhere/.Trash").constData(), (mount + ".Trash").constData()),
                0);
        }
        if (setup == "sticky, uid file") {
            QVERIFY(MakeFile(mount + ".Trash/" + kUid, ""));
        }
        if (setup == "own file") {
            QVERIFY(MakeFile(mount + ".Trash-" + kUid, ""));
        }
        if (setup == "own link") {
            QCOMPARE(symlink((folder_ + "elsewhere").constData(),
                             (mount + ".Trash-" + kUid).constData()),
                     0);
        }
        if (setup.startsWith("own open")) {
            QCOMPARE(mkdir((mount + ".Trash-" + kUid).constData(), 0777), 0);
            QCOMPARE(chmod((mount + ".Trash-" + kUid).constData(), 0777), 0);
        }
        if (setup == "own open, planted links") {
            for (const char* name : {"files", "info"}) {
                QCOMPARE(symlink((folder_ + "elsewhere").constData(),
                                 (mount + ".Trash-" + kUid + '/' + name).constData()),
                         0);
            }
        }
        if (setup == "own other") {
            if (geteuid() != 0) {
                QSKIP("Only the superuser gives a folder to someone else.");
            }
            QCOMPARE(mkdir((mount + ".Trash-" + kUid).constData(), 0700), 0);
            QCOMPARE(chown((mount + ".Trash-" + kUid).constData(), getuid() + 1, getgid()), 0);
        }
        const QByteArray mountPath = mount.chopped(1);
        const auto deviceOf = [&mountPath](const QByteArray& at) -> std::optional<quint64> {
            const bool onMount = at == mountPath || at.startsWith(mountPath + '/');
            return Exists(at) ? std::optional<quint64>(onMount ? 2 : 1) : std::nullopt;
        };

        QCOMPARE(MoveToTrash(path, deviceOf), outcome);
        QCOMPARE(Exists(path), bin.isEmpty());
        QCOMPARE(Names(trash_ + "files"), QList<QByteArray>());
        if (!bin.isEmpty()) {
            QCOMPARE(Content(mount + bin + "/files/rapport.ini"), QByteArray("evaluation"));
            const QByteArray info = Content(mount + bin + "/info/rapport.ini.trashinfo");
            QCOMPARE(InfoLine(info, "Path"), QByteArray("dossier/rapport.ini"));
            for (const char* folder : {"", "/files", "/info"}) {
                struct stat status {};
                QCOMPARE(lstat((mount + bin + folder).constData(), &status), 0);
                QCOMPARE(status.st_mode & 077, 0u);
            }
        }
        // Nothing goes through a link.
        QCOMPARE(Names(folder_ + (setup == "link" ? "elsewhere/.Trash" : "elsewhere")),
                 QList<QByteArray>());
    }
};

int main(int argc, char** argv) {
    // Read when local time is first needed.
    qputenv("TZ", "IST-5:30");
    QCoreApplication application(argc, argv);
    TestRecycleBin test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_recycle_bin.moc"
