// The snapshot button and "Ouvrir une image" in the real window: the picture's name and
// content, the questions around it, and the names that must not lead to a file.
#include "assets/ProgramFonts.h"
#include "platform/codec/JpegCodec.h"
#include "shell/MainWindow.h"
#include "store/OpenPicture.h"
#include "store/Snapshot.h"
#include "tests/support/FileContent.h"
#include "tests/support/WindowFixture.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

using namespace corvane;

Q_DECLARE_METATYPE(corvane::MessageAnswer)

namespace {

const LocalDateTime kLeapYearAfternoon{{2020, 2, 28}, 14, 30, 15};
const QString kStamp = QStringLiteral("_20200228_143015.jpeg");

// The three messages of the snapshot and the picture opening, as the user reads them.
const UserMessage kOpenSnapshotQuestion{"Afficher l'image", "Souhaitez vous ouvrir l'image créée ?",
                                        MessageIcon::Question, MessageButtons::YesNo};
const UserMessage kSnapshotFailure{"Capture d'écran",
                                   "Une erreur est survenue lors de la création de l'image.",
                                   MessageIcon::Error, MessageButtons::Ok};
const UserMessage kPictureOpeningFailure{"Image évaluation",
                                         "Impossible d'ouvrir l'image sélectionnée!",
                                         MessageIcon::Warning, MessageButtons::Ok};

QString Describe(const std::vector<UserMessage>& messages) {
    QStringList described;
    for (const UserMessage& message : messages) {
        described << QString::fromStdString(message.title + " | " + message.text);
    }
    return described.join(" || ");
}

// The mean difference of the colour channels of two pictures of the same size, 0 to 255.
double MeanDifference(const QImage& a, const QImage& b) {
    const QImage left = a.convertToFormat(QImage::Format_RGB888);
    const QImage right = b.convertToFormat(QImage::Format_RGB888);
    double total = 0;
    for (int y = 0; y < left.height(); ++y) {
        const uchar* l = left.constScanLine(y);
        const uchar* r = right.constScanLine(y);
        for (int x = 0; x < left.width() * 3; ++x) {
            total += std::abs(l[x] - r[x]);
        }
    }
    return total / (double(left.width()) * left.height() * 3);
}

} // namespace

class TestSnapshot : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowFixture> fixture_;
    QLineEdit* nameField_ = nullptr;

    QString Documents() const { return fixture_->Documents(); }
    QString Images() const { return fixture_->Documents("Mes Evaluations Images"); }

    void TypeName(const QString& name) {
        nameField_->setFocus();
        QTest::keyClicks(nameField_, name);
    }

    void ClickSnapshot() {
        auto* button = fixture_->Window()->findChild<QPushButton*>("SnapshotButton");
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    std::optional<QImage> Picture(const QString& path) const { return DecodeJpeg(ReadAll(path)); }

private slots:
    void initTestCase() { AddProgramFonts(); }

    void init() {
        fixture_ = std::make_unique<WindowFixture>();
        QVERIFY(fixture_->IsValid());
        QVERIFY(fixture_->Open([] { return kLeapYearAfternoon; }));
        QVERIFY(QTest::qWaitForWindowActive(fixture_->Window()));
        nameField_ = fixture_->Window()->findChild<QLineEdit*>("NameField");
        QVERIFY(nameField_);
    }

    void cleanup() {
        fixture_->Close();
        QVERIFY2(fixture_->dialogs.Finished(), qPrintable(Describe(fixture_->dialogs.messages)));
    }

    void snapshotStamp_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("seconds"); // since midnight
        QTest::addColumn<QString>("stamp");
        QTest::newRow("afternoon") << 2020 << 2 << 28 << 52215 << "20200228_143015";
        QTest::newRow("single digits padded") << 2026 << 3 << 1 << 3723 << "20260301_010203";
        QTest::newRow("midnight") << 2026 << 12 << 31 << 0 << "20261231_000000";
        QTest::newRow("last second") << 2026 << 12 << 31 << 86399 << "20261231_235959";
    }

    void snapshotStamp() {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(int, seconds);
        QFETCH(QString, stamp);
        const LocalDateTime moment{
            {year, month, day}, seconds / 3600, seconds / 60 % 60, seconds % 60};
        QCOMPARE(SnapshotStamp(moment), stamp);
        QCOMPARE(SnapshotPath("/images/", "A b", moment), "/images/A b_" + stamp + ".jpeg");
    }

    // The picture shows the window from just below the menu bar, full width, 518 pixels high.
    void pictureOfTheWindow() {
        TypeName("TEST");
        fixture_->dialogs.ScriptAnswers({MessageAnswer::No});
        ClickSnapshot();

        QCOMPARE(Entries(Images()), QStringList{"TEST" + kStamp});
        const std::optional<QImage> picture = Picture(Images() + "TEST" + kStamp);
        QVERIFY(picture);
        QCOMPARE(picture->size(), QSize(1014, 518));

        const QRect area = SnapshotArea(*fixture_->Window());
        QCOMPARE(area.topLeft(), fixture_->Window()->centralWidget()->mapToGlobal(QPoint(0, 0)));
        QCOMPARE(area.topLeft(), fixture_->Window()->mapToGlobal(
                                     QPoint(0, fixture_->Window()->menuBar()->height())));
        const QImage shown =
            fixture_->Window()
                ->grab(QRect(fixture_->Window()->mapFromGlobal(area.topLeft()), area.size()))
                .toImage();
        QVERIFY2(MeanDifference(*picture, shown) < 2.0,
                 qPrintable(QString::number(MeanDifference(*picture, shown))));
        QCOMPARE(nameField_->text(), QString("TEST"));
    }

    void takeSnapshot_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QStringList>("typedInPrompt");
        QTest::addColumn<QList<MessageAnswer>>("answers");
        QTest::addColumn<QString>("written"); // empty when nothing is
        QTest::addColumn<bool>("opened");
        using Answers = QList<MessageAnswer>;
        QTest::newRow("field, Oui opens")
            << "TEST" << QStringList{} << Answers{MessageAnswer::Yes} << "TEST" << true;
        QTest::newRow("field, Non")
            << "TEST" << QStringList{} << Answers{MessageAnswer::No} << "TEST" << false;
        QTest::newRow("prompt cancelled or empty")
            << "" << QStringList{""} << Answers{} << "" << false;
        QTest::newRow("name typed in prompt, Oui")
            << "" << QStringList{"bilan du 3"} << Answers{MessageAnswer::Yes} << "bilan du 3"
            << true;
        QTest::newRow("name typed in prompt, Non")
            << "" << QStringList{"bilan"} << Answers{MessageAnswer::No} << "bilan" << false;
    }

    void takeSnapshot() {
        QFETCH(QString, field);
        QFETCH(QStringList, typedInPrompt);
        QFETCH(QList<MessageAnswer>, answers);
        QFETCH(QString, written);
        QFETCH(bool, opened);
        TypeName(field);
        fixture_->dialogs.ScriptTexts(typedInPrompt);
        for (MessageAnswer answer : answers) {
            fixture_->dialogs.ScriptAnswers({answer});
        }
        ClickSnapshot();

        const QString path = Images() + written + kStamp;
        QCOMPARE(Entries(Images()),
                 written.isEmpty() ? QStringList{} : QStringList{written + kStamp});
        QCOMPARE(fixture_->dialogs.prompts,
                 field.isEmpty() ? QStringList{"Image|Donnez un nom à l'image"} : QStringList{});
        const std::vector<UserMessage> asked =
            written.isEmpty() ? std::vector<UserMessage>{}
                              : std::vector<UserMessage>{kOpenSnapshotQuestion};
        QCOMPARE(fixture_->dialogs.messages, asked);
        QCOMPARE(fixture_->desktop.opened, opened ? QStringList{path} : QStringList{});
        QCOMPARE(nameField_->text(), field);
    }

    // Names that lead out of the images folder or that the file system refuses: the failure is
    // told and no file is written anywhere.
    void refusedNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("prepare"); // "" or "link": "sub" leads out of the folder
        QTest::newRow("missing sub-folder") << "absent/x"
                                            << "";
        QTest::newRow("name too long") << QString(300, 'x') << "";
        QTest::newRow("parent folder") << "../outside"
                                       << "";
        QTest::newRow("link to a folder outside") << "sub/x"
                                                  << "link";
        QTest::newRow("NUL character") << QString("abc") + QChar(0) + "def"
                                       << "";
    }

    void refusedNames() {
        QFETCH(QString, name);
        QFETCH(QString, prepare);
        const QString outside = fixture_->Home() + "/outside";
        QVERIFY(QDir().mkdir(outside));
        if (prepare == "link") {
            QVERIFY(QFile::link(outside, Images() + "sub"));
        }
        const QStringList before = Entries(Images());
        fixture_->dialogs.ScriptTexts({name});
        fixture_->dialogs.ScriptAnswers({MessageAnswer::Ok});
        ClickSnapshot();

        QCOMPARE(fixture_->dialogs.messages, std::vector<UserMessage>{kSnapshotFailure});
        QCOMPARE(Entries(Images()), before);
        QCOMPARE(Entries(outside), QStringList{});
        QCOMPARE(Entries(Documents()), QStringList({"Mes Evaluations", "Mes Evaluations Images"}));
        QVERIFY(fixture_->desktop.opened.isEmpty());
    }

    void existingSubFolderIsInside() {
        QVERIFY(QDir(Images()).mkdir("sub"));
        fixture_->dialogs.ScriptTexts({"sub/x"});
        fixture_->dialogs.ScriptAnswers({MessageAnswer::No});
        ClickSnapshot();
        QCOMPARE(Entries(Images() + "sub"), QStringList{"x" + kStamp});
    }

    // Two snapshots in the same second under the same name: the second replaces the first,
    // and whatever was at that name before, without a question.
    void overwriteInTheSameSecond() {
        const QString path = Images() + "TEST" + kStamp;
        WriteAll(path, "not a picture");
        TypeName("TEST");
        fixture_->dialogs.ScriptAnswers({MessageAnswer::No, MessageAnswer::No});
        ClickSnapshot();
        ClickSnapshot();

        QCOMPARE(Entries(Images()), QStringList{"TEST" + kStamp});
        const std::optional<QImage> picture = Picture(path);
        QVERIFY(picture);
        QCOMPARE(picture->size(), QSize(1014, 518));
        QCOMPARE(fixture_->dialogs.messages, std::vector<UserMessage>(2, kOpenSnapshotQuestion));
    }

    void openPicture_data() {
        QTest::addColumn<QString>("chosen"); // empty when cancelled
        QTest::addColumn<bool>("desktopSucceeds");
        QTest::addColumn<bool>("failureTold");
        QTest::newRow("cancelled") << "" << true << false;
        QTest::newRow("opened") << "/pictures/a.jpeg" << true << false;
        QTest::newRow("no program takes it") << "/pictures/a.jpeg" << false << true;
    }

    void openPicture() {
        QFETCH(QString, chosen);
        QFETCH(bool, desktopSucceeds);
        QFETCH(bool, failureTold);
        fixture_->desktop.succeeds = desktopSucceeds;
        fixture_->dialogs.ScriptFiles({chosen});
        if (failureTold) {
            fixture_->dialogs.ScriptAnswers({MessageAnswer::Ok});
        }
        QTest::keyClick(nameField_, Qt::Key_P, Qt::ControlModifier);

        QCOMPARE(fixture_->dialogs.fileRequests.size(), size_t(1));
        QCOMPARE(fixture_->dialogs.fileRequests[0].title, QString("Ouvrir une image d'évaluation"));
        QCOMPARE(fixture_->dialogs.fileRequests[0].folder, Images());
        QCOMPARE(fixture_->dialogs.fileRequests[0].filter, QString("Fichiers images|*.jpeg"));
        QCOMPARE(fixture_->desktop.opened, chosen.isEmpty() ? QStringList{} : QStringList{chosen});
        QCOMPARE(fixture_->dialogs.messages, failureTold
                                                 ? std::vector<UserMessage>{kPictureOpeningFailure}
                                                 : std::vector<UserMessage>{});
    }
};

QTEST_MAIN(TestSnapshot)
#include "test_snapshot.moc"
