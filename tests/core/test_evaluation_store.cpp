#include "core/EvaluationFile.h"
#include "core/EvaluationStore.h"
#include "platform/files/DiskEvaluationFiles.h"
#include "tests/support/FileContent.h"
#include "tests/support/NonRegularEntries.h"
#include "tests/support/ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace corvane;

namespace {

const LocalDateTime kSaturdayMorning{{2026, 3, 14}, 9, 30, 0};

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

class TestEvaluationStore : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home_;
    QString folder_; // ends with the separator, like the program's own folder paths
    std::unique_ptr<RiskGrid> grid_;
    std::unique_ptr<ScriptedDialogs> asker_;
    std::unique_ptr<DiskEvaluationFiles> files_;
    std::unique_ptr<EvaluationStore> store_;

    QString PathFor(const QString& name) const { return folder_ + name + ".ini"; }

    void FillExample() {
        grid_->ChooseOption(Indicator::P2, 2);
        grid_->ChooseOption(Indicator::E2, 3);
        grid_->EditP1("2500");
    }

    QStringList FolderEntries() const {
        return QDir(folder_).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                       QDir::NoDotAndDotDot);
    }

private slots:
    void init() {
        home_ = std::make_unique<QTemporaryDir>();
        QVERIFY(home_->isValid());
        QVERIFY(QDir(home_->path()).mkdir("Mes Evaluations"));
        folder_ = home_->path() + "/Mes Evaluations/";
        grid_ = std::make_unique<RiskGrid>();
        asker_ = std::make_unique<ScriptedDialogs>();
        files_ = std::make_unique<DiskEvaluationFiles>();
        store_ = std::make_unique<EvaluationStore>(
            *grid_, *files_, *asker_, [] { return kSaturdayMorning; }, folder_.toStdString());
    }

    void cleanup() { QVERIFY(asker_->Finished()); }

    void savesTheExampleByteForByte() {
        FillExample();
        QCOMPARE(store_->SaveEvaluation("FETE DU VILLAGE"), FileOutcome::Done);
        const QByteArray bytes = ReadAll(PathFor("FETE DU VILLAGE"));
        QCOMPARE(bytes.size(), 182);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF\r\n[Global]\r\nP2 = OptP2_2\r\n"));
        QVERIFY(bytes.contains("\r\nI = 0.90\r\nRIS = 2.250\r\nType = DPS de petite envergure"));
        QVERIFY(asker_->messages.empty());
        QCOMPARE(FolderEntries(), QStringList{"FETE DU VILLAGE.ini"});
        // A new file is readable by others like any document, not private like a temporary.
        QVERIFY(QFileInfo(PathFor("FETE DU VILLAGE")).permissions() & QFileDevice::ReadOther);
    }

    void savingLeavesTheRecordAsItWas() {
        FillExample();
        const EvaluationRecord before = grid_->Record();
        QCOMPARE(store_->SaveEvaluation("A"), FileOutcome::Done);
        QVERIFY(grid_->Record() == before);
    }

    void savingReplacesEveryOldGroupAndKey() {
        WriteAll(PathFor("OLD"), "[Global]\r\nExtra = 1\r\n[Other]\r\nKey = 2\r\n");
        QCOMPARE(store_->SaveEvaluation("OLD"), FileOutcome::Done);
        const QByteArray bytes = ReadAll(PathFor("OLD"));
        QVERIFY(!bytes.contains("Extra"));
        QVERIFY(!bytes.contains("Other"));
        QVERIFY(bytes.contains("\r\nP1 = \r\nP = \r\nI = 0.75\r\nRIS = \r\nType = \r\nDate = "));
    }

    void creationFailures_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("retry");
        QTest::newRow("name climbing out of the folder, retried") << "../ESCAPED" << true;
        QTest::newRow("name climbing out of the folder, given up") << "../ESCAPED" << false;
        QTest::newRow("climbing out through a sub-folder") << "SUB/../../ESCAPED" << false;
        QTest::newRow("absolute name") << "/tmp/corvane-absolute-name" << false;
        QTest::newRow("missing sub-folder") << "NOWHERE/X" << false;
        QTest::newRow("a folder of that name") << "FOLDER" << false;
        QTest::newRow("a name with a NUL character") << QString("A") + QChar(0) + "B" << false;
    }

    void creationFailures() {
        QFETCH(QString, name);
        QFETCH(bool, retry);
        QVERIFY(QDir(folder_).mkdir("FOLDER.ini"));
        QFile::remove("/tmp/corvane-absolute-name.ini");
        asker_->ScriptAnswers({retry ? MessageAnswer::Yes : MessageAnswer::No});
        FillExample();
        const EvaluationRecord before = grid_->Record();

        QCOMPARE(store_->SaveEvaluation(name.toStdString()),
                 retry ? FileOutcome::RetryRequested : FileOutcome::Failed);

        QCOMPARE(asker_->messages.size(), std::size_t{1});
        const UserMessage& question = asker_->messages.front();
        QCOMPARE(Q(question.title), QString("Erreur!"));
        QCOMPARE(Q(question.text),
                 QString::fromUtf8(" Une erreur est survenue, impossible de créer le "
                                   "fichier.\r\nEssayez à nouveau"));
        QCOMPARE(question.icon, MessageIcon::Error);
        QCOMPARE(question.buttons, MessageButtons::YesNo);
        QVERIFY(grid_->Record() == before);
        QCOMPARE(FolderEntries(), QStringList{"FOLDER.ini"});
        QVERIFY(QDir(folder_ + "FOLDER.ini").exists());
        QVERIFY(!QFileInfo::exists(home_->path() + "/ESCAPED.ini"));
        QVERIFY(!QFileInfo::exists("/tmp/corvane-absolute-name.ini"));
    }

    void aNameMayUseAnExistingSubFolder() {
        QVERIFY(QDir(folder_).mkdir("SUB"));
        QCOMPARE(store_->SaveEvaluation("SUB/X"), FileOutcome::Done);
        QVERIFY(QFileInfo::exists(folder_ + "SUB/X.ini"));
        if (!MakeSymbolicLink(folder_ + "SUB", folder_ + "LINK")) {
            QSKIP("This system makes no symbolic links here.");
        }
        QCOMPARE(store_->SaveEvaluation("LINK/Y"), FileOutcome::Done);
        QVERIFY(QFileInfo::exists(folder_ + "SUB/Y.ini"));
    }

    // A file the user protected, and a link that leads out of the folder, are never written to.
    void protectedPlacesAreNotWritten_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("read-only evaluation") << "RO";
        QTest::newRow("through a link to a folder outside") << "LINK/X";
    }

    void protectedPlacesAreNotWritten() {
        QFETCH(QString, name);
        QTemporaryDir outside;
        QVERIFY(QFile::link(outside.path(), folder_ + "LINK"));
        WriteAll(PathFor("RO"), "kept");
        QVERIFY(QFile::setPermissions(PathFor("RO"), QFileDevice::ReadOwner));
        asker_->ScriptAnswers({MessageAnswer::No});

        QCOMPARE(store_->SaveEvaluation(name.toStdString()), FileOutcome::Failed);

        QVERIFY(asker_->messages.at(0) == CreationFailureQuestion());
        QCOMPARE(ReadAll(PathFor("RO")), QByteArray("kept"));
        QCOMPARE(
            QDir(outside.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
            QStringList());
    }

    void aMissingFolderAsksAndWritesNothing() {
        QVERIFY(QDir(folder_).removeRecursively());
        asker_->ScriptAnswers({MessageAnswer::No});
        QCOMPARE(store_->SaveEvaluation("A"), FileOutcome::Failed);
        QVERIFY(!QFileInfo::exists(folder_));
    }

#ifdef Q_OS_LINUX
    // A full disk, made by a file-size limit: writing the new content fails part way.
    void aFullDiskKeepsTheOldFileWhole() {
        WriteAll(PathFor("KEPT"), "old content that must survive");
        const QByteArray before = ReadAll(PathFor("KEPT"));
        const QDateTime modifiedBefore = QFileInfo(PathFor("KEPT")).lastModified();

        std::signal(SIGXFSZ, SIG_IGN);
        rlimit original{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &original), 0);
        rlimit small = original;
        small.rlim_cur = 64;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        asker_->ScriptAnswers({MessageAnswer::Yes, MessageAnswer::No});
        const FileOutcome first = store_->SaveEvaluation("KEPT");
        const FileOutcome second = store_->SaveEvaluation("KEPT");
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &original), 0);
        std::signal(SIGXFSZ, SIG_DFL);

        QCOMPARE(first, FileOutcome::RetryRequested);
        QCOMPARE(second, FileOutcome::Failed);
        QCOMPARE(ReadAll(PathFor("KEPT")), before);
        QCOMPARE(QFileInfo(PathFor("KEPT")).lastModified(), modifiedBefore);
        QCOMPARE(FolderEntries(), QStringList{"KEPT.ini"});
    }
#endif

    void opensTheExample() {
        FillExample();
        QCOMPARE(store_->SaveEvaluation("FETE DU VILLAGE"), FileOutcome::Done);
        grid_->ResetEvaluation();
        grid_->ChooseOption(Indicator::E1, 4);

        QCOMPARE(store_->OpenEvaluation(PathFor("FETE DU VILLAGE").toStdString()),
                 FileOutcome::Done);
        const EvaluationRecord& record = grid_->Record();
        QCOMPARE(record.p2Choice, 2);
        QCOMPARE(record.e1Choice, 1);
        QCOMPARE(record.e2Choice, 3);
        QCOMPARE(Q(record.p2Coefficient), QString("0.30"));
        QCOMPARE(Q(record.e1Coefficient), QString("0.25"));
        QCOMPARE(Q(record.e2Coefficient), QString("0.35"));
        QCOMPARE(Q(record.p1Text), QString("2500"));
        QCOMPARE(Q(record.pText), QString("2500"));
        QCOMPARE(Q(record.riskIndexText), QString("0.90"));
        QCOMPARE(Q(record.risText), QString("2.250"));
        QCOMPARE(Q(record.dpsTypeText), QString("DPS de petite envergure (DPS-PE)"));
        QCOMPARE(record.banner, DpsType::DpsPe);
        QCOMPARE(Q(record.savedOnText),
                 QString::fromUtf8("Cette évaluation a été enregistrée le Samedi 14 Mars 2026 à "
                                   "09:30:00"));
        QVERIFY(record.name.empty()); // the caller writes the name
    }

    void aSaveThenOpenRestoresEveryField() {
        grid_->ChooseOption(Indicator::P2, 4);
        grid_->ChooseOption(Indicator::E1, 3);
        grid_->ChooseOption(Indicator::E2, 2);
        grid_->EditP1("250000");
        EvaluationRecord saved = grid_->Record();
        QCOMPARE(store_->SaveEvaluation("ROUND TRIP"), FileOutcome::Done);
        grid_->ResetEvaluation();
        QCOMPARE(store_->OpenEvaluation(PathFor("ROUND TRIP").toStdString()), FileOutcome::Done);
        saved.savedOnText = grid_->Record().savedOnText;
        QVERIFY(grid_->Record() == saved);
        QVERIFY(grid_->Record().savedOnText.ends_with("2026 \xC3\xA0 09:30:00"));
    }

    void storedTextsStandWithoutRecomputation() {
        WriteAll(PathFor("S"), "[Global]\nP2=OptP2_1\nP1=10\nP=10\nI=0.75\nRIS=99.000\n"
                               "Type=DPS de moyenne envergure (DPS-ME)\n");
        QCOMPARE(store_->OpenEvaluation(PathFor("S").toStdString()), FileOutcome::Done);
        QCOMPARE(Q(grid_->Record().risText), QString("99.000"));
        QCOMPARE(grid_->Record().banner, DpsType::DpsMe);
    }

    void unknownOptionValuesLeaveTheChoices() {
        grid_->ChooseOption(Indicator::P2, 2);
        WriteAll(PathFor("U"), "[Global]\nP2=optp2_3\nE1=OptE1_5\nE2=OptE1_2\n");
        QCOMPARE(store_->OpenEvaluation(PathFor("U").toStdString()), FileOutcome::Done);
        QCOMPARE(grid_->Record().p2Choice, 2);
        QCOMPARE(Q(grid_->Record().p2Coefficient), QString("0.30"));
        QCOMPARE(grid_->Record().e1Choice, 1);
        QCOMPARE(grid_->Record().e2Choice, 1);
    }

    void aFileWithoutGlobalEmptiesTheResults() {
        FillExample();
        WriteAll(PathFor("EMPTY"), "");
        QCOMPARE(store_->OpenEvaluation(PathFor("EMPTY").toStdString()), FileOutcome::Done);
        const EvaluationRecord& record = grid_->Record();
        QCOMPARE(record.p2Choice, 2);
        QCOMPARE(record.e2Choice, 3);
        QVERIFY(record.p1Text.empty() && record.pText.empty() && record.riskIndexText.empty());
        QVERIFY(record.risText.empty() && record.dpsTypeText.empty());
        QCOMPARE(record.banner, DpsType::NoType);
        QCOMPARE(Q(record.savedOnText),
                 QString::fromUtf8("Cette évaluation a été enregistrée le "));
    }

    void anUnknownTypeShowsNoBanner() {
        grid_->EditP1("100000"); // a banner on show before the opening
        QCOMPARE(grid_->Record().banner, DpsType::DpsGe);
        WriteAll(PathFor("T"), "[Global]\nType=DPS de grande envergure\n");
        QCOMPARE(store_->OpenEvaluation(PathFor("T").toStdString()), FileOutcome::Done);
        QCOMPARE(Q(grid_->Record().dpsTypeText), QString("DPS de grande envergure"));
        QCOMPARE(grid_->Record().banner, DpsType::NoType);
    }

    void aLatin1FileKeepsItsAccents() {
        WriteAll(PathFor("L"),
                 "[Global]\r\nType=Diligence de l'autorit\xE9 de police comp\xE9tente\r\n");
        QCOMPARE(store_->OpenEvaluation(PathFor("L").toStdString()), FileOutcome::Done);
        QCOMPARE(grid_->Record().banner, DpsType::Diligence);
    }

    void openingFailures_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("retry");
        QTest::newRow("missing file, retried") << "MISSING" << true;
        QTest::newRow("missing file, given up") << "MISSING" << false;
        QTest::newRow("a folder") << "FOLDER" << false;
    }

    void openingFailures() {
        QFETCH(QString, name);
        QFETCH(bool, retry);
        QVERIFY(QDir(folder_).mkdir("FOLDER.ini"));
        FillExample();
        const EvaluationRecord before = grid_->Record();
        asker_->ScriptAnswers({retry ? MessageAnswer::Yes : MessageAnswer::No});

        QCOMPARE(store_->OpenEvaluation(PathFor(name).toStdString()),
                 retry ? FileOutcome::RetryRequested : FileOutcome::Failed);
        QCOMPARE(asker_->messages.size(), std::size_t{1});
        QVERIFY(asker_->messages.front() == OpeningFailureQuestion());
        QCOMPARE(Q(asker_->messages.front().text),
                 QString::fromUtf8("Impossible d'ouvrir le fichier.\r\nVoulez-vous essayer à "
                                   "nouveau ?"));
        QVERIFY(grid_->Record() == before);
    }

    void openingChangesNothingOnDisk() {
        WriteAll(PathFor("R"), "[Global]\nP1=5\n");
        QFile::setPermissions(PathFor("R"), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        const QDateTime modified = QFileInfo(PathFor("R")).lastModified();
        QCOMPARE(store_->OpenEvaluation(PathFor("R").toStdString()), FileOutcome::Done);
        QCOMPARE(Q(grid_->Record().p1Text), QString("5"));
        QCOMPARE(QFileInfo(PathFor("R")).lastModified(), modified);
        QCOMPARE(ReadAll(PathFor("R")), QByteArray("[Global]\nP1=5\n"));
    }

    // A huge file is read only up to the end of its group "Global".
    void aHugeFileOpensAtOnce() {
        const QString path = PathFor("HUGE");
        WriteAll(path, "[Global]\r\nP1 = 7\r\n[End]\r\n");
        QFile file(path);
        QVERIFY(file.resize(qint64{2} * 1024 * 1024 * 1024)); // sparse: no disk space taken
        QCOMPARE(store_->OpenEvaluation(path.toStdString()), FileOutcome::Done);
        QCOMPARE(Q(grid_->Record().p1Text), QString("7"));
    }
};

QTEST_GUILESS_MAIN(TestEvaluationStore)
#include "test_evaluation_store.moc"
