#include "assets/PictureTable.h"
#include "core/UserMessage.h"
#include "platform/desktop/AppPaths.h"
#include "platform/desktop/Placement.h"
#include "shell/MainWindow.h"
#include "tests/support/FileContent.h"
#include "tests/support/WindowFixture.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

using namespace corvane;

Q_DECLARE_METATYPE(corvane::MessageAnswer)

namespace {

// Monday 7 December 2026, 10:11:12: the moment every window of these tests lives in.
const LocalDateTime kMondayMorning{{2026, 12, 7}, 10, 11, 12};
const char* const kMondayStamp = "Lundi 07 Décembre 2026 à 10:11:12";

const char* const kPaps = "Point d'alerte et de premier secours";
const char* const kDpsPe = "DPS de petite envergure (DPS-PE)";
const char* const kDpsGe = "DPS de grande envergure (DPS-GE)";

const UserMessage kEmptyName{"Enregistrement", "Vous devez donner un nom à l'évaluation",
                             MessageIcon::Information, MessageButtons::Ok};
const UserMessage kReplace{"Enregistrer", "Le fichier existe déjà.\r\nVoulez-vous le remplacer ?",
                           MessageIcon::Question, MessageButtons::YesNoCancel, true};
const UserMessage kSaveFirst{"Enregistrer",
                             "Voulez-vous d'abord sauvegarder les données actuelles ? Si oui "
                             "utilisez la commande { Enregistrer l'évaluation courante }",
                             MessageIcon::Question, MessageButtons::YesNo};
const UserMessage kCannotCreate{
    "Erreur!", " Une erreur est survenue, impossible de créer le fichier.\r\nEssayez à nouveau",
    MessageIcon::Error, MessageButtons::YesNo};
const UserMessage kCannotOpen{"Erreur!",
                              "Impossible d'ouvrir le fichier.\r\nVoulez-vous essayer à nouveau ?",
                              MessageIcon::Error, MessageButtons::YesNo};

UserMessage SavedMessage(const std::string& name) {
    return {"Enregistrement", "L'évaluation " + name + " a bien été enregistrée",
            MessageIcon::Information, MessageButtons::Ok};
}

QString Describe(const UserMessage& message) {
    static const char* const icons[]{"information", "warning", "error", "question"};
    static const char* const buttons[]{"OK", "Yes/No", "Yes/No/Cancel"};
    return QString::fromStdString(message.title) + " | " + QString::fromStdString(message.text) +
           " | " + icons[static_cast<int>(message.icon)] + " | " +
           buttons[static_cast<int>(message.buttons)] +
           (message.enterAnswersNo ? " | Enter: No" : "");
}

QStringList Describe(std::initializer_list<UserMessage> messages) {
    QStringList described;
    for (const UserMessage& message : messages) {
        described << Describe(message);
    }
    return described;
}

// An evaluation file in the form the program writes: the values of P2, E1, E2, P1, P, I, RIS,
// Type and Date, in that order.
QByteArray EvaluationFile(const QStringList& values) {
    static const char* const keys[]{"P2", "E1", "E2", "P1", "P", "I", "RIS", "Type", "Date"};
    QByteArray bytes("\xEF\xBB\xBF\r\n[Global]\r\n");
    for (int i = 0; i < values.size(); ++i) {
        bytes += QByteArray(keys[i]) + " = " + values[i].toUtf8() + "\r\n";
    }
    return bytes;
}

// What the grid page should show: the name, the chosen options of P2, E1 and E2 ("1 1 1") with
// their coefficients, P1, P, the index, the RIS, the DPS type and the saved-on line.
QStringList Page(const QString& name, const QString& options, const QString& p1 = {},
                 const QString& p = {}, const QString& index = "0.75", const QString& ris = {},
                 const QString& type = {}, const QString& saved = {}) {
    const QStringList coefficients{"0.25", "0.30", "0.35", "0.40"};
    QStringList values;
    for (const QString& option : options.split(' ')) {
        values << coefficients.value(option.toInt() - 1);
    }
    return {"name=" + name,
            "options=" + options,
            "coefficients=" + values.join(' '),
            "P1=" + p1,
            "P=" + p,
            "I=" + index,
            "RIS=" + ris,
            "Type=" + type,
            "Saved=" + saved};
}

const QStringList kNewPage = Page("", "1 1 1");

constexpr int kOpenCommand = 1;
constexpr int kNewCommand = 2;
constexpr int kSaveCommand = 3;
constexpr int kOpenPictureMenuCommand = 5;
constexpr int kQuitCommand = 7;
constexpr int kCommands[]{1, 2, 3, 5, 7, 8, 9, 10, 11, 12, 13, 14, 15};

// How bright a colour looks, and the contrast of two colours, as legibility guidelines measure
// them: from 1 (the same) to 21 (black on white).
double Luminance(QRgb colour) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) +
           0.0722 * linear(qBlue(colour));
}

double Contrast(QRgb first, QRgb second) {
    const double a = Luminance(first);
    const double b = Luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// What a text drawn in the area looks like: the colour most of the area has, taken as what lies
// behind the text, and the pixel that stands out from it the most.
struct DrawnText {
    QRgb background;
    QRgb ink;
};

DrawnText Sample(const QImage& picture, const QRect& area) {
    QMap<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            ++counts[picture.pixel(x, y) | 0xFF000000];
        }
    }
    const QRgb background = std::max_element(counts.cbegin(), counts.cend()).key();
    QRgb ink = background;
    for (const QRgb colour : counts.keys()) {
        if (Contrast(colour, background) > Contrast(ink, background)) {
            ink = colour;
        }
    }
    return {background, ink};
}

// A dark palette as qt6ct's "darker" scheme gives it: white texts, a face darker than the
// buttons and the fields.
QPalette DarkPalette() {
    QPalette dark(Qt::white, QColor(0x42, 0x42, 0x45), QColor(0x97, 0x97, 0x97),
                  QColor(0x30, 0x2F, 0x2E), QColor(0x4A, 0x49, 0x47), Qt::white, Qt::white,
                  QColor(0x3D, 0x3D, 0x3D), QColor(0x22, 0x20, 0x20));
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::Midlight, QColor(0x5E, 0x5C, 0x5B));
    return dark;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowFixture> fixture_;
    QLineEdit* nameField_ = nullptr;
    QLineEdit* p1Field_ = nullptr;
    QLabel* savedDateLabel_ = nullptr;
    QTabWidget* panel_ = nullptr;

    QString Home() const { return fixture_->Home(); }
    QString EvaluationsFolder() const { return fixture_->Documents("Mes Evaluations"); }

    void OpenWindow(const LocalDateTime& now) {
        // Each window meets a desktop that has opened nothing yet.
        fixture_->desktop = ScriptedDesktop();
        QVERIFY(fixture_->Open([now] { return now; }));
        QVERIFY(QTest::qWaitForWindowActive(fixture_->Window()));
        nameField_ = fixture_->Window()->findChild<QLineEdit*>("NameField");
        p1Field_ = fixture_->Window()->findChild<QLineEdit*>("P1Field");
        savedDateLabel_ = fixture_->Window()->findChild<QLabel*>("SavedDateLabel");
        panel_ = fixture_->Window()->findChild<QTabWidget*>("MainPanel");
        QVERIFY(nameField_ && p1Field_ && savedDateLabel_ && panel_);
    }

    template <typename T = QWidget> T* Control(const QString& name) const {
        return fixture_->Window()->findChild<T*>(name);
    }

    QRadioButton* Option(const QString& indicator, int option) const {
        return Control<QRadioButton>(indicator + "Option" + QString::number(option));
    }

    QStringList Shown() const {
        const auto text = [this](const QString& name) {
            const auto* field = Control<QLineEdit>(name);
            return field != nullptr ? field->text() : QStringLiteral("<missing>");
        };
        QStringList options;
        QStringList coefficients;
        for (const QString indicator : {"P2", "E1", "E2"}) {
            QStringList chosen;
            for (int option = 1; option <= 4; ++option) {
                if (const auto* button = Option(indicator, option); button && button->isChecked()) {
                    chosen << QString::number(option);
                }
            }
            options << chosen.join(',');
            coefficients << text(indicator + "ValueField");
        }
        return {"name=" + text("NameField"),
                "options=" + options.join(' '),
                "coefficients=" + coefficients.join(' '),
                "P1=" + text("P1Field"),
                "P=" + text("PValueField"),
                "I=" + text("RiskIndexField"),
                "RIS=" + text("RisField"),
                "Type=" + text("DpsTypeField"),
                "Saved=" + savedDateLabel_->text()};
    }

    QStringList Asked() const {
        QStringList asked;
        for (const UserMessage& message : fixture_->dialogs.messages) {
            asked << Describe(message);
        }
        return asked;
    }

    // What a command can change that the user would notice.
    QStringList Effects() const {
        int windows = 0;
        for (const QWidget* widget : QApplication::topLevelWidgets()) {
            windows += widget->isVisible() ? 1 : 0;
        }
        return {QString("asked %1").arg(fixture_->dialogs.messages.size()),
                QString("file dialogs %1").arg(fixture_->dialogs.fileRequests.size()),
                QString("prompts %1").arg(fixture_->dialogs.prompts.size()),
                "started " + fixture_->desktop.started.join('|'),
                "opened " + fixture_->desktop.opened.join('|'),
                QString("windows shown %1").arg(windows),
                QString("main window shown %1, enabled %2")
                    .arg(fixture_->Window()->isVisible())
                    .arg(fixture_->Window()->isEnabled()),
                QString("tab %1").arg(panel_->currentIndex()),
                "page " + Shown().join('|')};
    }

    static void Type(QWidget* field, const QString& text) {
        field->setFocus();
        QTest::keyClicks(field, text);
    }

    void PressCtrl(Qt::Key key) {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target != nullptr ? target : fixture_->Window(), key, Qt::ControlModifier);
    }

    // The pages build their controls when first shown.
    void OpenEveryTab() {
        for (int tab = panel_->count() - 1; tab >= 0; --tab) {
            panel_->setCurrentIndex(tab);
        }
    }

    // Each tab as it is drawn, without the text cursor, which blinks.
    QList<QImage> TabPictures() {
        if (QWidget* focused = QApplication::focusWidget()) {
            focused->clearFocus();
        }
        QList<QImage> pictures;
        for (int tab = 0; tab < panel_->count(); ++tab) {
            panel_->setCurrentIndex(tab);
            pictures << fixture_->Window()->grab().toImage();
        }
        return pictures;
    }

    QStringList EvaluationsOnDisk() const {
        return QDir(EvaluationsFolder())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

private slots:
    void init() {
        fixture_ = std::make_unique<WindowFixture>();
        QVERIFY(fixture_->IsValid());
        // The reference documents lie in the working directory, as they do beside an installed
        // program, so that the document commands find them.
        for (const char* document : {"RNMSC-DPS_octobre_2006.pdf", "Formulaire moins de 5000.pdf",
                                     "Formulaire simplifié + de 5000 personnes.pdf",
                                     "Grille_évaluation.pdf", "logigramme_GR.pdf"}) {
            WriteAll(Home() + "/work/" + QString::fromUtf8(document), "%PDF-1.4\n");
        }
        OpenWindow(kMondayMorning);
    }

    void cleanup() {
        fixture_->Close();
        QVERIFY2(fixture_->dialogs.Finished(),
                 qPrintable(QString("unexpected dialogs: %1; asked: %2")
                                .arg(fixture_->dialogs.unexpected)
                                .arg(Asked().join(" || "))));
    }

    void startUpState() {
        QCOMPARE(fixture_->Window()->windowTitle(), QString("Corvane"));
        QCOMPARE(fixture_->Window()->size(), QSize(1014, 718));
        QCOMPARE(fixture_->Window()->minimumSize(), fixture_->Window()->maximumSize());
        QVERIFY(!fixture_->Window()->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(panel_->geometry(), QRect(2, 2, 1010, 673));
        QStringList captions;
        for (int tab = 0; tab < panel_->count(); ++tab) {
            captions << panel_->tabText(tab);
        }
        QCOMPARE(captions, QStringList({"Grille d'évaluation du RIS", "Comment est calculé le RIS",
                                        "Mes Evaluations", "Mes Evaluations Images"}));
        QCOMPARE(panel_->currentIndex(), 0);

        QCOMPARE(Shown(), kNewPage);
        QCOMPARE(QApplication::focusWidget(), nameField_);
        // The tabs not opened yet hold no controls: they cost nothing at start-up.
        for (const char* unmade : {"ExplainButton1", "EvaluationsList", "ImagesList"}) {
            QVERIFY2(!Control(unmade), unmade);
        }
        panel_->setCurrentIndex(1);
        for (int button = 1; button <= 7; ++button) {
            const auto* explain = Control<QPushButton>(QString("ExplainButton%1").arg(button));
            QVERIFY(explain);
            QCOMPARE(explain->isChecked(), button == 1);
        }

        // The Documents folder was missing: it was made, and both folders inside it.
        const QDir documents(Home() + "/Documents");
        QVERIFY(QFileInfo(documents.filePath("Mes Evaluations")).isDir());
        QVERIFY(QFileInfo(documents.filePath("Mes Evaluations Images")).isDir());

        const AppPaths& paths = fixture_->Window()->Paths();
        QCOMPARE(paths.evaluations, EvaluationsFolder());
        QCOMPARE(paths.images, fixture_->Documents("Mes Evaluations Images"));
        const QString work = fixture_->Work();
        QCOMPARE(paths.referencePdf, work + "RNMSC-DPS_octobre_2006.pdf");
        QCOMPARE(paths.formUnder5000Pdf, work + "Formulaire moins de 5000.pdf");
        QCOMPARE(paths.formOver5000Pdf, work + "Formulaire simplifié + de 5000 personnes.pdf");
        QCOMPARE(paths.gridPdf, work + "Grille_évaluation.pdf");
        QCOMPARE(paths.flowchartPdf, work + "logigramme_GR.pdf");

        const auto* product = Control<QLabel>("StatusProductField");
        QVERIFY(product);
        QVERIFY2(product->text().startsWith("Corvane  ") && product->text().size() > 9 &&
                     product->text().at(9) != ' ',
                 qPrintable(product->text()));
    }

    void statusLineDate_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Monday 7 December 2026")
            << 2026 << 12 << 7 << "Date : Lundi 07 Décembre 2026";
        QTest::newRow("Sunday 1 March 2026") << 2026 << 3 << 1 << "Date : Dimanche 01 Mars 2026";
    }

    void statusLineDate() {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(QString, shown);
        OpenWindow({{year, month, day}, 0, 5, 9});
        const auto* field = Control<QLabel>("StatusDateField");
        QVERIFY(field);
        QCOMPARE(field->text(), shown);
    }

    void placeOnScreen_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("full HD") << QSize(1920, 1080) << QPoint(453, 181);
        QTest::newRow("odd margins") << QSize(1025, 729) << QPoint(5, 5);
        QTest::newRow("exactly the window") << QSize(1014, 718) << QPoint(0, 0);
        QTest::newRow("smaller both ways") << QSize(800, 600) << QPoint(0, 0);
        QTest::newRow("wide but low") << QSize(1280, 600) << QPoint(133, 0);
        QTest::newRow("high but narrow") << QSize(1000, 1000) << QPoint(0, 141);
    }

    // A window as high as the area, or nearly, opens against its top so that its title bar shows.
    void placeMainWindow_data() {
        QTest::addColumn<QSize>("available");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("full HD less a 40 px taskbar") << QSize(1920, 1040) << QPoint(453, 161);
        QTest::newRow("room for a title bar") << QSize(1366, 750) << QPoint(176, 16);
        QTest::newRow("no room for a title bar") << QSize(1366, 740) << QPoint(176, 0);
        QTest::newRow("scaled by 2 on full HD") << QSize(960, 520) << QPoint(0, 0);
    }
    void placeMainWindow() {
        QFETCH(QSize, available);
        QFETCH(QPoint, topLeft);
        QCOMPARE(PlacedIn(QRect(QPoint(0, 40), available), QSize(1014, 718)),
                 QPoint(0, 40) + topLeft);
    }

    void placeOnScreen() {
        QFETCH(QSize, screen);
        QFETCH(QPoint, topLeft);
        QCOMPARE(CentredIn(QRect(QPoint(100, 50), screen), QSize(1014, 718)),
                 QPoint(100, 50) + topLeft);
    }

    void menuItems_data() {
        QTest::addColumn<int>("menu");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QList<int>>("commands"); // 0 for a separator
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("Fichier") << 0 << "Fichier" << QList<int>{1, 2, 0, 3, 0, 5, 0, 7}
                                 << QStringList{"Ouvrir une évaluation\tCtrl+O",
                                                "Nouvelle évaluation\tCtrl+N",
                                                "",
                                                "Enregistrer l'évaluation courante\tCtrl+S",
                                                "",
                                                "Ouvrir une image\tCtrl+P",
                                                "",
                                                "Quitter\tCtrl+Q"};
        QTest::newRow("Edition") << 1 << "Edition" << QList<int>{8, 9, 10}
                                 << QStringList{"Grille d'évaluation\tCtrl+G",
                                                "Déclaration moins de 5000 personnes",
                                                "Déclaration plus de 5000 personnes"};
        QTest::newRow("Dossier") << 2 << "Dossier" << QList<int>{121}
                                 << QStringList{"Créer le dossier PDF de l'évaluation..."};
        QTest::newRow("?") << 3 << "?" << QList<int>{11, 12, 0, 13, 0, 14, 0, 15}
                           << QStringList{"Logigramme procédure de déclaration\tCtrl+L",
                                          "Référentiel National des M.S.C.\tCtrl+R",
                                          "",
                                          "A propos",
                                          "",
                                          "Vérifier mise à jour",
                                          "",
                                          "Ouvrir l'aide\tCtrl+H"};
    }

    void menuItems() {
        QFETCH(int, menu);
        QFETCH(QString, title);
        QFETCH(QList<int>, commands);
        QFETCH(QStringList, texts);
        const QList<QAction*> titles = fixture_->Window()->menuBar()->actions();
        QCOMPARE(titles.size(), 4);
        QCOMPARE(titles[menu]->text(), title);
        QVERIFY(titles[menu]->menu());
        const QList<QAction*> items = titles[menu]->menu()->actions();
        QCOMPARE(items.size(), commands.size());
        for (int i = 0; i < items.size(); ++i) {
            QCOMPARE(items[i]->isSeparator(), commands[i] == 0);
            if (commands[i] != 0) {
                QCOMPARE(items[i], fixture_->Window()->Command(commands[i]));
                // The name, then the shortcut column as the menu draws it.
                const QString keys = items[i]->shortcut().toString(QKeySequence::NativeText);
                QCOMPARE(items[i]->text() + (keys.isEmpty() ? "" : "\t" + keys), texts[i]);
                QVERIFY(!items[i]->text().contains('\t'));
                QVERIFY(items[i]->isEnabled() && items[i]->isVisible() && !items[i]->isCheckable());
            }
        }
    }

    void typingAndClickingRecompute() {
        Type(p1Field_, "abc");
        QCOMPARE(Shown(), kNewPage);

        Type(p1Field_, "1500");
        QCOMPARE(Shown(), Page("", "1 1 1", "1500", "1500", "0.75", "1.125", kPaps));

        QTest::mouseClick(Option("E1", 3), Qt::LeftButton);
        const QStringList afterClick = Page("", "1 3 1", "1500", "1500", "0.85", "1.275", kDpsPe);
        QCOMPARE(Shown(), afterClick);

        Type(p1Field_, "x-,");
        QCOMPARE(Shown(), afterClick);
    }

    void shortcutFiresItsMenuCommand_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("focus");
        const struct {
            char letter;
            Qt::Key key;
            int command;
        } shortcuts[]{{'O', Qt::Key_O, 1},  {'N', Qt::Key_N, 2},  {'S', Qt::Key_S, 3},
                      {'P', Qt::Key_P, 5},  {'Q', Qt::Key_Q, 7},  {'G', Qt::Key_G, 8},
                      {'L', Qt::Key_L, 11}, {'R', Qt::Key_R, 12}, {'H', Qt::Key_H, 15}};
        for (const char* focus : {"NameField", "P1Field", "E1Option3"}) {
            for (const auto& shortcut : shortcuts) {
                QTest::addRow("Ctrl+%c in %s", shortcut.letter, focus)
                    << static_cast<int>(shortcut.key) << shortcut.command << QString(focus);
            }
        }
    }

    void shortcutFiresItsMenuCommand() {
        QFETCH(int, key);
        QFETCH(int, command);
        QFETCH(QString, focus);
        const bool choosesFile = command == kOpenCommand || command == kOpenPictureMenuCommand;
        if (choosesFile) {
            fixture_->dialogs.ScriptFiles({QString()});
        } else if (command == kSaveCommand) {
            fixture_->dialogs.ScriptAnswers({MessageAnswer::Ok});
        }
        std::map<int, std::unique_ptr<QSignalSpy>> spies;
        for (int each : kCommands) {
            QVERIFY(fixture_->Window()->Command(each));
            spies[each] = std::make_unique<QSignalSpy>(fixture_->Window()->Command(each),
                                                       &QAction::triggered);
        }
        QWidget* target = Control(focus);
        QVERIFY(target);
        target->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), target);

        QTest::keyClick(target, static_cast<Qt::Key>(key), Qt::ControlModifier);

        for (const auto& [each, spy] : spies) {
            QVERIFY2(spy->count() == (each == command ? 1 : 0),
                     qPrintable(QString("command %1 fired %2 times").arg(each).arg(spy->count())));
        }
        QCOMPARE(fixture_->Window()->isVisible(), command != kQuitCommand);
        QCOMPARE(fixture_->dialogs.fileRequests.size(), std::size_t{choosesFile ? 1U : 0U});
        QCOMPARE(Asked(), command == kSaveCommand ? Describe({kEmptyName}) : QStringList());
    }

    void saveWithEmptyName() {
        fixture_->dialogs.ScriptAnswers({MessageAnswer::Ok});
        Type(p1Field_, "1500");
        const QStringList before = Shown();

        QTest::mouseClick(Control("SaveButton"), Qt::LeftButton);

        QCOMPARE(Asked(), Describe({kEmptyName}));
        QCOMPARE(QApplication::focusWidget(), nameField_);
        QCOMPARE(EvaluationsOnDisk(), QStringList());
        QCOMPARE(Shown(), before);
    }

    void saveWithEmptyNameFromAnotherTab_data() {
        QTest::addColumn<int>("tab");
        QTest::newRow("explanation") << 1;
        QTest::newRow("evaluations") << 2;
        QTest::newRow("images") << 3;
    }
    void saveWithEmptyNameFromAnotherTab() {
        QFETCH(int, tab);
        fixture_->dialogs.ScriptAnswers({MessageAnswer::Ok});
        panel_->setCurrentIndex(tab);

        PressCtrl(Qt::Key_S);

        QCOMPARE(Asked(), Describe({kEmptyName}));
        QCOMPARE(panel_->currentWidget(), Control("GridPage"));
        QCOMPARE(QApplication::focusWidget(), nameField_);
    }

    void saveUnderNewName() {
        fixture_->dialogs.ScriptAnswers({MessageAnswer::Ok});
        Type(nameField_, "fete du village");
        QCOMPARE(nameField_->text(), QString("FETE DU VILLAGE"));
        QTest::mouseClick(Option("P2", 2), Qt::LeftButton);
        QTest::mouseClick(Option("E2", 3), Qt::LeftButton);
        Type(p1Field_, "2500");
        QCOMPARE(Shown(),
                 Page("FETE DU VILLAGE", "2 1 3", "2500", "2500", "0.90", "2.250", kDpsPe));

        QTest::mouseClick(Control("SaveButton"), Qt::LeftButton);

        QCOMPARE(EvaluationsOnDisk(), QStringList{"FETE DU VILLAGE.ini"});
        QCOMPARE(ReadAll(EvaluationsFolder() + "FETE DU VILLAGE.ini"),
                 EvaluationFile({"OptP2_2", "OptE1_1", "OptE2_3", "2500", "2500", "0.90", "2.250",
                                 kDpsPe, kMondayStamp}));
        QCOMPARE(Asked(), Describe({SavedMessage("FETE DU VILLAGE")}));
        QCOMPARE(Shown(), kNewPage);
    }

    void saveOverExistingFile_data() {
        QTest::addColumn<MessageAnswer>("answer");
        QTest::newRow("No") << MessageAnswer::No;
        QTest::newRow("Cancel") << MessageAnswer::Cancel;
        QTest::newRow("Yes") << MessageAnswer::Yes;
    }

    void saveOverExistingFile() {
        QFETCH(MessageAnswer, answer);
        const QString path = EvaluationsFolder() + "FETE.ini";
        const QByteArray old("\xEF\xBB\xBF\r\n[Global]\r\nP1 = 5\r\n[Autre]\r\nX = 1\r\n");
        WriteAll(path, old);
        fixture_->dialogs.ScriptAnswers({answer});
        if (answer == MessageAnswer::Yes) {
            fixture_->dialogs.ScriptAnswers({MessageAnswer::Ok});
        }
        Type(nameField_, "FETE");
        Type(p1Field_, "1000");
        const QStringList before = Shown();

        PressCtrl(Qt::Key_S);

        if (answer == MessageAnswer::Yes) {
            QCOMPARE(ReadAll(path), EvaluationFile({"OptP2_1", "OptE1_1", "OptE2_1", "1000", "1000",
                                                    "0.75", "0.750", kPaps, kMondayStamp}));
            QCOMPARE(Asked(), Describe({kReplace, SavedMessage("FETE")}));
            QCOMPARE(Shown(), kNewPage);
        } else {
            QCOMPARE(ReadAll(path), old);
            QCOMPARE(Asked(), Describe({kReplace}));
            QCOMPARE(Shown(), before);
        }
    }

    void saveThatFails() {
        // A folder stands where the file should go: it can be neither replaced nor written.
        QVERIFY(QDir(EvaluationsFolder()).mkdir("PLEIN.ini"));
        fixture_->dialogs.ScriptAnswers(
            {MessageAnswer::Yes, MessageAnswer::Yes, MessageAnswer::No});
        Type(nameField_, "plein");
        Type(p1Field_, "20");
        const QStringList before = Shown();

        QTest::mouseClick(Control("SaveButton"), Qt::LeftButton);

        QCOMPARE(Asked(), Describe({kReplace, kCannotCreate, kCannotCreate}));
        QCOMPARE(Shown(), before);
        QCOMPARE(EvaluationsOnDisk(), QStringList{"PLEIN.ini"});
        QVERIFY(QFileInfo(EvaluationsFolder() + "PLEIN.ini").isDir());
    }

    void openCancelled() {
        fixture_->dialogs.ScriptFiles({QString()});
        Type(nameField_, "AUTRE");
        Type(p1Field_, "1500");
        panel_->setCurrentIndex(2);
        const QStringList before = Shown();

        PressCtrl(Qt::Key_O);

        QCOMPARE(fixture_->dialogs.fileRequests.size(), std::size_t{1});
        QCOMPARE(fixture_->dialogs.fileRequests[0].title, QString("Ouvrir une évaluation"));
        QCOMPARE(fixture_->dialogs.fileRequests[0].folder, EvaluationsFolder());
        QCOMPARE(fixture_->dialogs.fileRequests[0].filter, QString("Fichiers de paramètres|*.ini"));
        QCOMPARE(Shown(), before);
        QCOMPARE(panel_->currentIndex(), 2);
    }

    void openEvaluationFile_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QStringList>("shown");
        const QString savedOn = "Cette évaluation a été enregistrée le ";
        QTest::newRow("saved evaluation, from the explanation tab")
            << 1 << "FETE DU VILLAGE.ini"
            << QStringList{"OptP2_3", "OptE1_4", "OptE2_2",
                           "5000",    "5000",    "1.05",
                           "5.250",   kDpsPe,    "Samedi 14 Mars 2026 à 09:30:00"}
            << Page("FETE DU VILLAGE", "3 4 2", "5000", "5000", "1.05", "5.250", kDpsPe,
                    savedOn + "Samedi 14 Mars 2026 à 09:30:00");
        QTest::newRow("stored RIS disagreeing with P1, from the evaluations tab")
            << 2 << "KERMESSE.ini"
            << QStringList{"OptP2_2", "OptE1_1", "OptE2_3",
                           "2500",    "2500",    "0.90",
                           "99.000",  kDpsGe,    "Jeudi 01 Janvier 2026 à 00:05:09"}
            << Page("KERMESSE", "2 1 3", "2500", "2500", "0.90", "99.000", kDpsGe,
                    savedOn + "Jeudi 01 Janvier 2026 à 00:05:09");
        QTest::newRow("empty values but P1, from the images tab")
            << 3 << "BROCANTE.ini" << QStringList{"", "", "", "12", "", "", "", "", ""}
            << Page("BROCANTE", "1 1 1", "12", "", "", "", "", savedOn);
    }

    void openEvaluationFile() {
        QFETCH(int, tab);
        QFETCH(QString, file);
        QFETCH(QStringList, values);
        QFETCH(QStringList, shown);
        WriteAll(EvaluationsFolder() + file, EvaluationFile(values));
        fixture_->dialogs.ScriptFiles({EvaluationsFolder() + file});
        Type(nameField_, "AUTRE");
        Type(p1Field_, "123");
        panel_->setCurrentIndex(tab);

        PressCtrl(Qt::Key_O);

        QCOMPARE(Asked(), QStringList());
        QCOMPARE(panel_->currentIndex(), 0);
        QCOMPARE(Shown(), shown);

        Type(nameField_, "X");
        QCOMPARE(savedDateLabel_->text(), QString());
    }

    void openMissingFile() {
        fixture_->dialogs.ScriptFiles({EvaluationsFolder() + "ABSENT.ini"});
        fixture_->dialogs.ScriptAnswers({MessageAnswer::Yes, MessageAnswer::No});
        Type(nameField_, "AUTRE");
        Type(p1Field_, "1500");
        panel_->setCurrentIndex(3);

        PressCtrl(Qt::Key_O);

        QCOMPARE(Asked(), Describe({kCannotOpen, kCannotOpen}));
        QCOMPARE(panel_->currentIndex(), 0);
        QCOMPARE(Shown(), Page("ABSENT", "1 1 1", "1500", "1500", "0.75", "1.125", kPaps));
    }

    void newEvaluationWithEmptyName() {
        Type(p1Field_, "1500");
        QTest::mouseClick(Option("P2", 4), Qt::LeftButton);
        const QStringList before = Shown();

        PressCtrl(Qt::Key_N);

        QCOMPARE(Asked(), QStringList());
        QCOMPARE(Shown(), before);
    }

    void newEvaluationWithName_data() {
        QTest::addColumn<MessageAnswer>("answer");
        QTest::newRow("Yes keeps the page") << MessageAnswer::Yes;
        QTest::newRow("No resets it") << MessageAnswer::No;
    }

    void newEvaluationWithName() {
        QFETCH(MessageAnswer, answer);
        fixture_->dialogs.ScriptAnswers({answer});
        Type(nameField_, "fete");
        Type(p1Field_, "1500");
        QTest::mouseClick(Option("E2", 4), Qt::LeftButton);
        const QStringList before = Shown();

        PressCtrl(Qt::Key_N);

        QCOMPARE(Asked(), Describe({kSaveFirst}));
        QCOMPARE(Shown(), answer == MessageAnswer::Yes ? before : kNewPage);
    }

    void picturesStandWhereTheyBelong_data() {
        QTest::addColumn<QString>("place");
        QTest::addColumn<int>("picture");
        // Menu command and picture number.
        const std::pair<int, int> menuPictures[]{{1, 8},  {2, 5},  {3, 7},  {5, 32}, {7, 1},
                                                 {8, 2},  {9, 2},  {10, 2}, {11, 2}, {12, 2},
                                                 {13, 0}, {14, 6}, {15, 31}};
        for (const auto& [command, picture] : menuPictures) {
            QTest::addRow("menu command %d", command)
                << QString("command %1").arg(command) << picture;
        }
        const int tabPictures[]{3, 4, 8, 32};
        for (int tab = 0; tab < 4; ++tab) {
            QTest::addRow("tab %d", tab) << QString("tab %1").arg(tab) << tabPictures[tab];
        }
        QTest::newRow("status line") << "status" << 0;
    }

    void picturesStandWhereTheyBelong() {
        QFETCH(QString, place);
        QFETCH(int, picture);
        const auto [kind, index] =
            std::pair(place.section(' ', 0, 0), place.section(' ', 1).toInt());
        QPixmap shown;
        if (kind == "command") {
            shown = fixture_->Window()->Command(index)->icon().pixmap(16);
        } else if (kind == "tab") {
            shown = panel_->tabIcon(index).pixmap(16);
        } else {
            shown = Control<QLabel>("StatusPictureField")->pixmap();
        }
        QVERIFY(WindowFixture::Pictures().Has(picture));
        QCOMPARE(shown.toImage().convertToFormat(QImage::Format_ARGB32),
                 WindowFixture::Pictures().Picture(picture).toImage().convertToFormat(
                     QImage::Format_ARGB32));
    }

    void explainButtonShowsItsPicture_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("picture");
        const int explanationPictures[]{10, 11, 12, 13, 18, 19, 20};
        for (int button = 1; button <= 7; ++button) {
            QTest::addRow("button %d", button) << button << explanationPictures[button - 1];
        }
    }

    void explainButtonShowsItsPicture() {
        QFETCH(int, button);
        QFETCH(int, picture);
        panel_->setCurrentIndex(1);
        if (button != 1) {
            QTest::mouseClick(Control<QPushButton>(QString("ExplainButton%1").arg(button)),
                              Qt::LeftButton);
        }
        const auto* shown = Control<QLabel>("ExplainPicture");
        QCOMPARE(shown->geometry(),
                 QRect(QPoint(10, 40), WindowFixture::Pictures().Picture(picture).size()));
        QCOMPARE(shown->pixmap().toImage(), WindowFixture::Pictures().Picture(picture).toImage());
    }

    // With options 1 1 1 the index is 0.75, so P1 sets the RIS alone; each bound belongs to its
    // band.
    void bannerFollowsTheBand_data() {
        QTest::addColumn<QString>("p1");
        QTest::addColumn<int>("picture"); // -1: no banner
        QTest::newRow("RIS 0: none") << "0" << -1;
        QTest::newRow("RIS 0.225: diligence") << "300" << kDiligenceBanner;
        QTest::newRow("RIS 0.250: diligence") << "333" << kDiligenceBanner;
        QTest::newRow("RIS 1.125: PAPS") << "1500" << kPapsBanner;
        QTest::newRow("RIS 1.126: DPS-PE") << "1501" << kDpsPeBanner;
        QTest::newRow("RIS 12.000: DPS-PE") << "16000" << kDpsPeBanner;
        QTest::newRow("RIS 12.001: DPS-ME") << "16001" << kDpsMeBanner;
        QTest::newRow("RIS 36.000: DPS-ME") << "48000" << kDpsMeBanner;
        QTest::newRow("RIS 36.002: DPS-GE") << "48002" << kDpsGeBanner;
    }

    void bannerFollowsTheBand() {
        QFETCH(QString, p1);
        QFETCH(int, picture);
        Type(p1Field_, "99999"); // first some banner, so that "none" has one to remove
        p1Field_->clear();
        Type(p1Field_, p1);
        const auto* banner = Control<QLabel>("DpsBannerPicture");
        if (picture < 0) {
            QVERIFY(banner->pixmap().isNull());
            return;
        }
        const PictureEntry& entry = *FindPicture(picture);
        QCOMPARE(banner->geometry(), QRect(10, 525, entry.width, entry.height));
        QCOMPARE(banner->pixmap().toImage(), WindowFixture::Pictures().Picture(picture).toImage());
    }

    void everyCommandHasAnEffect_data() {
        QTest::addColumn<int>("command"); // 0: each button of the documents frame
        for (int command : kCommands) {
            QTest::addRow("menu command %d", command) << command;
        }
        QTest::newRow("documents frame buttons") << 0;
    }

    void everyCommandHasAnEffect() {
        QFETCH(int, command);
        // Answers that let each command run its course without waiting for anyone.
        if (command == kOpenCommand || command == kOpenPictureMenuCommand) {
            fixture_->dialogs.ScriptFiles({QString()});
        } else if (command == kNewCommand) {
            Type(nameField_, "FETE");
            fixture_->dialogs.ScriptAnswers({MessageAnswer::Yes});
        } else if (command == kSaveCommand) {
            fixture_->dialogs.ScriptAnswers({MessageAnswer::Ok});
        }
        if (command == 0) {
            const QRect frame = Control("DocumentsFrame")->geometry();
            int buttons = 0;
            for (QPushButton* button : Control("GridPage")->findChildren<QPushButton*>()) {
                if (frame.contains(button->geometry())) {
                    ++buttons;
                    const QStringList before = Effects();
                    QTest::mouseClick(button, Qt::LeftButton);
                    QVERIFY2(Effects() != before, qPrintable(button->objectName()));
                }
            }
            QCOMPARE(buttons, 5);
            return;
        }
        const QStringList before = Effects();

        fixture_->Window()->Command(command)->trigger();

        QVERIFY(Effects() != before);
        if (command == kQuitCommand) {
            QVERIFY(!fixture_->Window()->isVisible());
        }
    }

    // The window is laid out to the pixel for its own fonts: a desktop's larger font, for the
    // whole program and for each kind of control as a theme gives it, changes nothing in it.
    void desktopFontsLeaveTheWindowAlone() {
        const QList<QImage> before = TabPictures();
        const QFont programDefault = QApplication::font();
        const QFont desktop(QStringLiteral("DejaVu Sans"), 12);
        QApplication::setFont(desktop);
        for (const char* kind :
             {"QLabel", "QPushButton", "QRadioButton", "QLineEdit", "QGroupBox", "QTabBar",
              "QMenuBar", "QMenu", "QStatusBar", "QAbstractItemView", "QHeaderView"}) {
            QApplication::setFont(desktop, kind);
        }
        OpenWindow(kMondayMorning);
        const QList<QImage> after = TabPictures();
        const QList<QMenu*> menus = fixture_->Window()->findChildren<QMenu*>();
        QApplication::setFont(programDefault);

        for (qsizetype tab = 0; tab < before.size(); ++tab) {
            QVERIFY2(after.at(tab) == before.at(tab), qPrintable(QString("tab %1").arg(tab)));
        }
        qsizetype named = 0;
        for (const QMenu* menu : menus) {
            // The menu bar's overflow menu, which the bar never needs, is Qt's own.
            if (menu->title().isEmpty() && menu->objectName().isEmpty()) {
                continue;
            }
            ++named;
            QCOMPARE(menu->font().family(), QString("Arial"));
            QCOMPARE(menu->font().pointSize(), 8);
        }
        QCOMPARE(named, 8);
    }

    // What a screen reader is told of each control: its role, the name it is read out with and,
    // for a field, the text it holds.
    void screenReaderNamesEveryControl_data() {
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        const auto row = [](const char* control, QAccessible::Role role, const char* name,
                            const char* value = "") {
            QTest::newRow(control)
                << int(role) << QString::fromUtf8(name) << QString::fromUtf8(value);
        };
        row("NameField", QAccessible::EditableText, "Evaluation");
        row("P2ValueField", QAccessible::EditableText, "Indicateur P2", "0.25");
        row("E1ValueField", QAccessible::EditableText, "Indicateur E1", "0.25");
        row("E2ValueField", QAccessible::EditableText, "Indicateur E2", "0.25");
        row("P1Field", QAccessible::EditableText, "Effectif prévu P1");
        row("PValueField", QAccessible::EditableText, "Valeur de P");
        row("RiskIndexField", QAccessible::EditableText, "Indice total de risque", "0.75");
        row("RisField", QAccessible::EditableText, "Ratio d'Intervenants Secouristes");
        row("DpsTypeField", QAccessible::EditableText, "Type de DPS correspondant");
        row("P2Option1", QAccessible::RadioButton, "Option 1 - Risque Faible");
        row("E1Option4", QAccessible::RadioButton, "Option 4 - Risque Elevé");
        row("E2Option2", QAccessible::RadioButton,
            "Temps supérieur à 10 mn et inférieur ou égal à 20 mn");
        row("DpsBannerPicture", QAccessible::StaticText, "Bandeau du type de DPS");
        row("ExplainPicture", QAccessible::Graphic, "Indice total de risque");
        row("EvaluationsList", QAccessible::LayeredPane, "Mes Evaluations");
        row("ViewModeButton", QAccessible::Button, "Mode d'affichage");
        row("StatusPictureField", QAccessible::Graphic, "Corvane");
    }
    void screenReaderNamesEveryControl() {
        QFETCH(int, role);
        QFETCH(QString, name);
        QFETCH(QString, value);
        OpenEveryTab();
        QWidget* control = Control(QTest::currentDataTag());
        QVERIFY(control != nullptr);
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(control);
        QVERIFY(reader != nullptr);
        QCOMPARE(int(reader->role()), role);
        QCOMPARE(reader->text(QAccessible::Name), name);
        if (role == QAccessible::EditableText) {
            QCOMPARE(reader->text(QAccessible::Value), value);
        }
    }

    // No text field or list view goes without a name, and no option is read out as a check box.
    void screenReaderFindsNoNamelessField() {
        OpenEveryTab();
        QWidgetList named;
        for (QLineEdit* field : fixture_->Window()->findChildren<QLineEdit*>()) {
            named << field;
        }
        for (const char* list : {"EvaluationsList", "ImagesList"}) {
            for (QAbstractItemView* view :
                 Control(list)->findChildren<QAbstractItemView*>(Qt::FindDirectChildrenOnly)) {
                named << view;
            }
        }
        QCOMPARE(named.size(), 15);
        for (QWidget* control : named) {
            QVERIFY2(
                !QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).isEmpty(),
                qPrintable(control->objectName()));
        }
        const QList<QRadioButton*> options = fixture_->Window()->findChildren<QRadioButton*>();
        QCOMPARE(options.size(), 12);
        for (QRadioButton* option : options) {
            QCOMPARE(QAccessible::queryAccessibleInterface(option)->role(),
                     QAccessible::RadioButton);
        }
    }

    void explainPictureIsNamedAfterItsSubject() {
        panel_->setCurrentIndex(1);
        QTest::mouseClick(Control("ExplainButton4"), Qt::LeftButton);
        QCOMPARE(QAccessible::queryAccessibleInterface(Control("ExplainPicture"))
                     ->text(QAccessible::Name),
                 QString("R I S -> Type de DPS"));
    }

    // The grid page as the window draws it, with results in its fields, under the desktop's light
    // palette and under a dark one: every text stands out from what lies behind it at least 4.5 to
    // 1, except the coloured texts on the light face, which keep the program's colours.
    void textsStandOutOnTheirFace_data() {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << false;
        QTest::newRow("dark") << true;
    }
    void textsStandOutOnTheirFace() {
        QFETCH(bool, dark);
        const QPalette desktop = QApplication::palette();
        if (dark) {
            QApplication::setPalette(DarkPalette());
        }
        OpenWindow(kMondayMorning);
        Type(p1Field_, "1500");
        if (QWidget* focused = QApplication::focusWidget()) {
            focused->clearFocus();
        }
        const QImage drawn = fixture_->Window()->grab().toImage();
        QApplication::setPalette(desktop);
        QWidget* page = Control("GridPage");
        const QMap<QString, QRgb> colouredOnLight{
            {"P2OptionText1", 0x3EC145},  {"P2OptionText2", 0x559BD5},
            {"P2OptionText3", 0xE49745},  {"P2OptionText4", 0xE93F45},
            {"E1OptionText1", 0x3EC145},  {"E1OptionText2", 0x559BD5},
            {"E1OptionText3", 0xE49745},  {"E1OptionText4", 0xE93F45},
            {"RiskIndexField", 0xDD3145}, {"RisField", 0xDD3145},
            {"DpsTypeField", 0xB13745},   {"DpsBannerCaption", 0x5A78D5}};
        int measured = 0;
        for (const QWidget* control : page->findChildren<QWidget*>()) {
            QRect area(control->mapTo(fixture_->Window(), QPoint(0, 0)), control->size());
            if (qobject_cast<const QGroupBox*>(control) != nullptr) {
                area.setHeight(15); // the caption in the top border
            } else if (control->property("text").toString().isEmpty()) {
                continue;
            }
            const DrawnText text = Sample(drawn, area);
            const QString name = control->objectName().isEmpty()
                                     ? control->property("text").toString()
                                     : control->objectName();
            ++measured;
            if (!dark && colouredOnLight.contains(name)) {
                // Within a step of rounding of the text's smoothing.
                const QRgb expected = colouredOnLight.value(name);
                QVERIFY2(std::abs(qRed(text.ink) - qRed(expected)) <= 1 &&
                             std::abs(qGreen(text.ink) - qGreen(expected)) <= 1 &&
                             std::abs(qBlue(text.ink) - qBlue(expected)) <= 1,
                         qPrintable(name + ": " + QColor(text.ink).name()));
                continue;
            }
            const double contrast = Contrast(text.ink, text.background);
            QVERIFY2(contrast >= 4.5, qPrintable(QString("%1: %2 on %3, %4 to 1")
                                                     .arg(name, QColor(text.ink).name(),
                                                          QColor(text.background).name())
                                                     .arg(contrast, 0, 'f', 2)));
        }
        QCOMPARE(measured, 53);
    }

    void ctrlQLeavesTheEventLoop() {
        Type(p1Field_, "1500");
        QTimer::singleShot(0, fixture_->Window(), [this] { PressCtrl(Qt::Key_Q); });
        QTimer stuck;
        stuck.setSingleShot(true);
        connect(&stuck, &QTimer::timeout, [] { QApplication::exit(1); });
        stuck.start(10000);

        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!fixture_->Window()->isVisible());
        QCOMPARE(Asked(), QStringList());
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
