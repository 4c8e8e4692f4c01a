// The desktop as Qt serves it, in a home of the test's own with no session bus: the recycle bin
// and the properties sheet that the program shows when no file manager can.
#include "platform/desktop/PropertiesWindow.h"
#include "platform/desktop/QtDesktop.h"
#include "platform/files/NativeNames.h"
#include "tests/support/FileContent.h"
#include "tests/support/NonRegularEntries.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace corvane;

namespace {

// The value of `key` in a .trashinfo file, decoded.
QString TrashInfoValue(const QByteArray& info, const QByteArray& key) {
    for (const QByteArray& line : info.split('\n')) {
        if (line.startsWith(key + '=')) {
            return QUrl::fromPercentEncoding(line.mid(key.size() + 1));
        }
    }
    return {};
}

QList<PropertiesWindow*> VisiblePropertiesWindows() {
    QList<PropertiesWindow*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<PropertiesWindow*>(widget);
        if (window != nullptr && window->isVisible()) {
            windows << window;
        }
    }
    return windows;
}

// Runs `start` with only `bin` on the search path, where the desktop looks for xdg-open.
template <typename Start> void RunWithPath(const QString& bin, Start start) {
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin));
    start();
    qputenv("PATH", path);
}

// An xdg-open in `bin` that writes down its argument in xdg-open.target, then runs `launcher`.
bool MakeRecordingOpener(const QString& bin, const QString& launcher) {
    WriteAll(bin + "xdg-open",
             "#!/bin/sh\necho \"$1\" > \"$0.target\"\n" + launcher.toUtf8() + "\n");
    return QFile::setPermissions(bin + "xdg-open", QFile::ReadOwner | QFile::ExeOwner);
}

QString TextsOf(const QWidget* window) {
    QStringList texts;
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        texts << label->text();
    }
    return texts.join('\n');
}

} // namespace

class TestQtDesktop : public QObject {
    Q_OBJECT

    const QString root_;
    const QString files_ = root_ + "/files/";
    const QString work_ = root_ + "/work/";
    const QString trash_ = root_ + "/home/.local/share/Trash/";
    QtDesktop desktop_;

public:
    explicit TestQtDesktop(const QString& root) : root_(root) {}

private slots:
    void initTestCase() {
        QVERIFY(QDir().mkpath(files_));
        QVERIFY(QDir().mkpath(work_));
        QVERIFY(QDir::setCurrent(work_));
    }

    void cleanup() { qDeleteAll(VisiblePropertiesWindows()); }

    // The first row runs in a home without any data folder.
    void moveToRecycleBin_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("isFolder");
        QTest::newRow("file, no data folder yet") << "Évaluation du 3 mai.ini" << false;
        QTest::newRow("folder") << "Photos 2026" << true;
    }
    void moveToRecycleBin() {
        QFETCH(QString, name);
        QFETCH(bool, isFolder);
        const QString path = files_ + name;
        if (isFolder) {
            QVERIFY(QDir().mkpath(path));
            WriteAll(path + "/1.jpeg", "picture");
        } else {
            WriteAll(path, "evaluation");
        }

        QCOMPARE(desktop_.MoveToRecycleBin(path), RecycleOutcome::Moved);
        QVERIFY(!QFileInfo::exists(path));
        QCOMPARE(Entries(work_), QStringList());
        QCOMPARE(ModeOf(trash_), 0700);
        QCOMPARE(QFileInfo(trash_ + "files/" + name).isDir(), isFolder);
        QVERIFY(QFileInfo::exists(trash_ + "files/" + name));
        const QByteArray info = ReadAll(trash_ + "info/" + name + ".trashinfo");
        QCOMPARE(TrashInfoValue(info, "Path"), path);
        QVERIFY(!TrashInfoValue(info, "DeletionDate").isEmpty());
    }

    // A name that is not UTF-8 reaches the bin as the very bytes it has on disk.
    void moveToRecycleBinTakesTheFileSystemsBytes() {
        const QByteArray path = QFile::encodeName(files_) + "X\xff.ini";
        const int fd = open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        QVERIFY(fd >= 0 && close(fd) == 0);

        QCOMPARE(desktop_.MoveToRecycleBin(NameFromNative(path)), RecycleOutcome::Moved);
        struct stat status {};
        QCOMPARE(lstat(path.constData(), &status), -1);
        const QByteArray inBin = QFile::encodeName(trash_) + "files/X\xff.ini";
        QCOMPARE(lstat(inBin.constData(), &status), 0);
        // QTemporaryDir cannot remove such names.
        QCOMPARE(unlink(inBin.constData()), 0);
        const QByteArray info = QFile::encodeName(trash_) + "info/X\xff.ini.trashinfo";
        QCOMPARE(unlink(info.constData()), 0);
    }

    void propertiesWithoutFileManager() {
        const QString path = files_ + "Fête de la musique.ini";
        WriteAll(path, QByteArray(5000, 'x'));
        WriteAll(files_ + "2.jpeg", "picture");

        desktop_.ShowProperties(path);
        QTRY_COMPARE_WITH_TIMEOUT(VisiblePropertiesWindows().size(), 1, 5000);
        const QPointer<PropertiesWindow> window = VisiblePropertiesWindows().value(0);
        QVERIFY(window->windowTitle().contains("Fête de la musique.ini"));
        QVERIFY(TextsOf(window).contains(QDir::toNativeSeparators(files_.chopped(1))));
        QVERIFY(TextsOf(window).contains(QLocale::system().toString(5000)));

        desktop_.ShowProperties(path);
        desktop_.ShowProperties(files_ + "2.jpeg");
        QTRY_COMPARE_WITH_TIMEOUT(VisiblePropertiesWindows().size(), 3, 5000);

        window->close();
        QTRY_VERIFY(window.isNull());
    }

    // The outcome is xdg-open's exit status, told from the event loop; a desktop without
    // xdg-open has no program for anything.
    // An opening still waited for when the program ends tells no one: its listeners are gone.
    void openingsEndUntoldWithTheDesktop() {
        const QString bin = root_ + "/bin-slow/";
        QVERIFY(QDir().mkpath(bin));
        WriteAll(bin + "xdg-open", "#!/bin/sh\n/bin/sleep 30\n");
        QVERIFY(QFile::setPermissions(bin + "xdg-open", QFile::ReadOwner | QFile::ExeOwner));
        bool told = false;
        {
            QtDesktop desktop;
            RunWithPath(bin, [&desktop, &told] {
                desktop.Open("/nowhere.jpeg", [&told](bool) { told = true; });
            });
            QTest::qWait(200);
        }
        QVERIFY(!told);
    }

    void openTellsWhetherAProgramTookTheTarget_data() {
        QTest::addColumn<QString>("launcher");
        QTest::addColumn<bool>("succeeded");
        QTest::newRow("a program took it") << "exit 0" << true;
        QTest::newRow("no program for it") << "exit 3" << false;
        QTest::newRow("no xdg-open") << QString() << false;
    }
    void openTellsWhetherAProgramTookTheTarget() {
        QFETCH(QString, launcher);
        QFETCH(bool, succeeded);
        const QString bin = root_ + "/bin-" + QTest::currentDataTag() + "/";
        QVERIFY(QDir().mkpath(bin));
        if (!launcher.isEmpty()) {
            QVERIFY(MakeRecordingOpener(bin, launcher));
        }
        std::optional<bool> told;
        RunWithPath(bin, [this, &told] {
            desktop_.RunOrOpen("mailto:aide@corvane.example ?subject=Besoin d'aide",
                               [&told](bool outcome) { told = outcome; });
        });
        QTRY_VERIFY_WITH_TIMEOUT(told.has_value(), 5000);
        QCOMPARE(*told, succeeded);
        if (!launcher.isEmpty()) {
            QCOMPARE(ReadAll(bin + "xdg-open.target"),
                     QByteArray("mailto:aide@corvane.example ?subject=Besoin d'aide\n"));
        }
    }

    // Program arguments are text: a name that is not reaches the opener as an address that keeps
    // its bytes.
    void openHandsOverANameThatIsNotTextAsItsAddress() {
        const QString bin = root_ + "/bin-bytes/";
        QVERIFY(QDir().mkpath(bin));
        QVERIFY(MakeRecordingOpener(bin, "exit 0"));
        const QString path = NameFromNative(QFile::encodeName(files_) + "X\xff.pdf");
        std::optional<bool> told;
        RunWithPath(bin, [&] { desktop_.Open(path, [&told](bool outcome) { told = outcome; }); });
        QTRY_VERIFY_WITH_TIMEOUT(told.has_value(), 5000);
        const QByteArray target = ReadAll(bin + "xdg-open.target");
        QVERIFY2(target.startsWith("file:///") && target.endsWith("/files/X%FF.pdf\n"),
                 target.constData());
    }
};

int main(int argc, char** argv) {
    const QTemporaryDir root;
    // Read when the locations and the session bus are first looked up.
    qputenv("HOME", QFile::encodeName(root.path() + "/home"));
    qunsetenv("XDG_DATA_HOME");
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
    QApplication application(argc, argv);
    TestQtDesktop test(root.path());
    return QTest::qExec(&test, argc, argv);
}

#include "test_qt_desktop.moc"
