#include "platform/desktop/SettingsNowhere.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>

using namespace corvane;

// Qt's file dialog keeps its state (here its view mode) in QSettings; the program's dialogs must
// neither take it from the user's or the system's configuration nor leave any behind.
class TestSettingsNowhere : public QObject {
    Q_OBJECT

    QTemporaryDir home_;

    QStringList FilesUnderHome() const {
        QStringList files;
        QDirIterator found(home_.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (found.hasNext()) {
            files << found.next();
        }
        return files;
    }

    void RemoveConfigurations() const {
        for (const char* folder : {"/user", "/system"}) {
            QDir(home_.path() + folder).removeRecursively();
        }
    }

private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        // QSettings finds its folders once, at its first use.
        qputenv("HOME", QFile::encodeName(home_.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home_.path() + "/user"));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(home_.path() + "/system"));
        SendSettingsNowhere();
    }

    void fileDialogReadsNoSettings_data() {
        QTest::addColumn<QString>("folder");
        QTest::newRow("user") << "user";
        QTest::newRow("system") << "system";
    }
    void fileDialogReadsNoSettings() {
        QFETCH(QString, folder);
        const QFileDialog::ViewMode unset = QFileDialog().viewMode();
        RemoveConfigurations();
        QVERIFY(QDir(home_.path()).mkpath(folder));
        QFile settings(home_.path() + "/" + folder + "/QtProject.conf");
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write(unset == QFileDialog::Detail ? "[FileDialog]\nviewMode=List\n"
                                                    : "[FileDialog]\nviewMode=Detail\n");
        settings.close();

        const QFileDialog::ViewMode viewMode = QFileDialog().viewMode();
        RemoveConfigurations();
        QCOMPARE(viewMode, unset);
    }

    void fileDialogWritesNoSettings() {
        { const QFileDialog dialog(nullptr, QString(), home_.path()); }
        QCOMPARE(FilesUnderHome(), QStringList());
    }
};

QTEST_MAIN(TestSettingsNowhere)
#include "test_settings_nowhere.moc"
