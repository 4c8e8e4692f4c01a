// The reference documents, the help, the web and mail links and the About window, driven through
// the real main window.
#include "assets/PictureTable.h"
#include "assets/ProgramFonts.h"
#include "core/UserMessage.h"
#include "docs/AboutWindow.h"
#include "platform/desktop/AppPaths.h"
#include "platform/desktop/QtDesktop.h"
#include "shell/MainMenu.h"
#include "shell/MainWindow.h"
#include "tests/support/FileContent.h"
#include "tests/support/ScriptedDesktop.h"
#include "tests/support/WindowFixture.h"
#include "widgets/TitleFont.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <memory>
#include <optional>
#include <vector>

using namespace corvane;

namespace {

const LocalDateTime kMonday{{2026, 12, 7}, 10, 11, 12};

const char* const kMissing = "Erreur | Le fichier est introuvable. | warning";
const char* const kSoftwarePageFailed =
    "Connexion... | Impossible de se connecter au site. Vérifiez l'état de votre econnexion. | "
    "warning";
const char* const kWebSiteFailed = "Connexion... | Impossible de se connecter au site | warning";
const char* const kMailFailed = "Messagerie... | Impossible d'utiliser votre messagerie! | warning";
const char* const kMailTarget =
    "mailto:support@corvane.example ?subject=Besoin d'aide avec Corvane";

// Every message box here has the one button OK.
QString Describe(const UserMessage& message) {
    static const char* const icons[]{"information", "warning", "error", "question"};
    QString described = QString::fromStdString(message.title) + " | " +
                        QString::fromStdString(message.text) + " | " +
                        icons[static_cast<int>(message.icon)];
    return message.buttons == MessageButtons::Ok ? described : described + " | not OK alone";
}

// A desktop that keeps the outcome of what it starts, to tell it when the test says, as xdg-open
// does once it has ended.
class LateDesktop : public ScriptedDesktop {
public:
    void RunOrOpen(const QString& target, Outcome outcome = {}) override {
        started << target;
        pending.push_back(std::move(outcome));
    }

    std::vector<Outcome> pending;
};

// A desktop that finds the program's data folder as the program does, from the environment.
class EnvironmentDesktop : public ScriptedDesktop {
public:
    QString UserDataFolder() override { return QtDesktop().UserDataFolder(); }
};

} // namespace

class TestDocuments : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowFixture> fixture_;
    std::unique_ptr<ScriptedDesktop> ownDesktop_; // a desktop of the test's own, when it has one
    ScriptedDesktop* desktop_ = nullptr;          // the desktop the window meets

    QString Work() const { return fixture_->Work(); }

    void OpenWindow(std::unique_ptr<ScriptedDesktop> desktop = nullptr) {
        fixture_->Close();
        ownDesktop_ = std::move(desktop);
        desktop_ = ownDesktop_ ? ownDesktop_.get() : &fixture_->desktop;
        QVERIFY(fixture_->Open([] { return kMonday; }, ownDesktop_.get()));
    }

    QStringList Asked() const {
        QStringList asked;
        for (const UserMessage& message : fixture_->dialogs.messages) {
            asked << Describe(message);
        }
        return asked;
    }

    static AboutWindow* ShownAboutWindow() {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* about = qobject_cast<AboutWindow*>(window); about && about->isVisible()) {
                return about;
            }
        }
        return nullptr;
    }

    AboutWindow* OpenAboutWindow() {
        fixture_->Window()->Command(kAboutCommand)->trigger();
        AboutWindow* about = ShownAboutWindow();
        if (about != nullptr && !QTest::qWaitForWindowExposed(about)) {
            return nullptr;
        }
        return about;
    }

    static void Click(QWidget* control) {
        QVERIFY(control);
        QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
    }

    // What the user sees of the window: each control's place, text, tooltip and picture.
    QStringList Content(const AboutWindow* about) const {
        QStringList content{about->windowTitle(),
                            QString("%1x%2").arg(about->width()).arg(about->height())};
        const std::pair<const char*, int> pictures[]{{"AboutLogoPicture", kAboutLogoPicture},
                                                     {"WebSitePicture", kAboutPicture},
                                                     {"SupportPicture", kSupportMailPicture},
                                                     {"AboutStatusPicture", kAboutPicture}};
        for (const auto& [name, picture] : pictures) {
            const auto* label = about->findChild<QLabel*>(name);
            const bool same =
                label != nullptr && WindowFixture::Pictures().Has(picture) &&
                label->pixmap().toImage() == WindowFixture::Pictures().Picture(picture).toImage();
            content << QString("%1 picture %2: %3, named %4")
                           .arg(name)
                           .arg(picture)
                           .arg(same)
                           .arg(label != nullptr ? label->accessibleName() : QString());
        }
        for (const char* name :
             {"AboutPanel", "WebSiteLink", "SupportLink", "AboutText", "CloseAboutButton"}) {
            const auto* control = about->findChild<QWidget*>(name);
            if (control == nullptr) {
                content << QString("%1 missing").arg(name);
                continue;
            }
            const QRect place = control->geometry();
            QString text;
            if (const auto* label = qobject_cast<const QLabel*>(control)) {
                text = label->text();
            } else if (const auto* button = qobject_cast<const QPushButton*>(control)) {
                text = button->text();
            }
            content << QString("%1 (%2,%3) %4x%5 [%6] {%7}")
                           .arg(name)
                           .arg(place.x())
                           .arg(place.y())
                           .arg(place.width())
                           .arg(place.height())
                           .arg(text, control->toolTip());
        }
        const auto* picture = about->findChild<QLabel*>("AboutStatusPicture");
        const auto* notice = about->findChild<QLabel*>("AboutStatusNotice");
        if (picture == nullptr || notice == nullptr) {
            return content << "status fields missing";
        }
        const int raised = QFrame::Panel | QFrame::Raised;
        content << QString("status: %1 px%2, [%3]%4")
                       .arg(picture->width())
                       .arg(picture->frameStyle() == raised ? " raised" : "")
                       .arg(notice->text(), notice->frameStyle() == raised ? " raised" : "");
        return content;
    }

private slots:
    void initTestCase() {
        // The program's own font, so that what fits here fits on the user's screen.
        AddProgramFonts();
        QApplication::setFont(MakeControlFont());
    }

    void init() {
        fixture_ = std::make_unique<WindowFixture>();
        QVERIFY(fixture_->IsValid());
        OpenWindow();
    }

    void cleanup() {
        fixture_->Close();
        QVERIFY2(fixture_->dialogs.Finished(),
                 qPrintable("unexpected dialogs; asked: " + Asked().join(" || ")));
    }

    // Each document is reached from its menu item and from its button on the grid page, and
    // both do the same.
    void referenceDocument_data() {
        QTest::addColumn<int>("command"); // 0: the button instead
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("present"); // "", "file" or "folder"
        const struct {
            int command;
            const char* button;
            const char* file;
        } documents[]{
            {kReferenceCommand, "ReferenceButton", "RNMSC-DPS_octobre_2006.pdf"},
            {kFormUnder5000Command, "FormUnder5000Button", "Formulaire moins de 5000.pdf"},
            {kFormOver5000Command, "FormOver5000Button",
             "Formulaire simplifié + de 5000 personnes.pdf"},
            {kGridFormCommand, "GridFormButton", "Grille_évaluation.pdf"},
            {kFlowchartCommand, "FlowchartButton", "logigramme_GR.pdf"},
        };
        for (const auto& document : documents) {
            for (const char* present : {"", "file", "folder"}) {
                const QString file = QString::fromUtf8(document.file);
                QTest::addRow("menu %d, %s", document.command, *present ? present : "missing")
                    << document.command << QString() << file << QString(present);
                QTest::addRow("%s, %s", document.button, *present ? present : "missing")
                    << 0 << QString(document.button) << file << QString(present);
            }
        }
    }

    void referenceDocument() {
        QFETCH(int, command);
        QFETCH(QString, button);
        QFETCH(QString, file);
        QFETCH(QString, present);
        if (present == "file") {
            WriteAll(Work() + file, "%PDF-1.4\n");
        } else if (present == "folder") {
            QVERIFY(QDir(Work()).mkdir(file));
        } else {
            fixture_->dialogs.ScriptAnswers({MessageAnswer::Ok});
        }

        if (command != 0) {
            fixture_->Window()->Command(command)->trigger();
        } else {
            Click(fixture_->Window()->findChild<QPushButton*>(button));
        }

        if (present.isEmpty()) {
            QCOMPARE(Asked(), QStringList{kMissing});
            QCOMPARE(desktop_->started, QStringList());
        } else {
            QCOMPARE(Asked(), QStringList());
            QCOMPARE(desktop_->started, QStringList{Work() + file});
        }
        QCOMPARE(desktop_->opened, QStringList());
    }

    // A user without administrator rights puts the documents and the help into their own data
    // folder, while the program runs; the working directory comes first.
    void userDataFolder_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("dataHome");   // XDG_DATA_HOME, "-" for unset, "~" the home
        QTest::addColumn<QStringList>("placed"); // the folders, in the home, that hold the file
        QTest::addColumn<QString>("handed");     // the folder of the path opened; "": the message
        const QString local = ".local/share/corvane";
        const struct {
            int command;
            const char* file;
        } documents[]{
            {kReferenceCommand, "RNMSC-DPS_octobre_2006.pdf"},
            {kFormUnder5000Command, "Formulaire moins de 5000.pdf"},
            {kFormOver5000Command, "Formulaire simplifié + de 5000 personnes.pdf"},
            {kGridFormCommand, "Grille_évaluation.pdf"},
            {kFlowchartCommand, "logigramme_GR.pdf"},
        };
        for (const auto& document : documents) {
            QTest::addRow("menu %d in the data folder only", document.command)
                << document.command << QString::fromUtf8(document.file) << "-" << QStringList{local}
                << local;
        }
        const QString grid = QStringLiteral("Grille_évaluation.pdf");
        const QString help = QStringLiteral("Corvane Help.chm");
        QTest::newRow("in both places")
            << int(kGridFormCommand) << grid << "-" << QStringList{"work", local} << "work";
        QTest::newRow("nowhere") << int(kGridFormCommand) << grid << "-" << QStringList() << "";
        QTest::newRow("XDG_DATA_HOME") << int(kGridFormCommand) << grid << "~/xdg"
                                       << QStringList{"xdg/corvane", local} << "xdg/corvane";
        QTest::newRow("empty XDG_DATA_HOME")
            << int(kGridFormCommand) << grid << "" << QStringList{local} << local;
        QTest::newRow("relative XDG_DATA_HOME")
            << int(kGridFormCommand) << grid << "xdg" << QStringList{"xdg/corvane", local} << local;
        QTest::newRow("help in the data folder only")
            << int(kHelpCommand) << help << "-" << QStringList{local} << local;
        QTest::newRow("help in both places")
            << int(kHelpCommand) << help << "-" << QStringList{"work", local} << "work";
        QTest::newRow("help nowhere")
            << int(kHelpCommand) << help << "-" << QStringList() << "work";
    }

    void userDataFolder() {
        QFETCH(int, command);
        QFETCH(QString, file);
        QFETCH(QString, dataHome);
        QFETCH(QStringList, placed);
        QFETCH(QString, handed);
        const QString home = fixture_->Home();
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
        const QString dataFolder = home + "/.local/share/corvane";
#else
        if (dataHome != "-") {
            QSKIP("XDG_DATA_HOME is read on freedesktop systems only");
        }
        // Test mode keeps the user's own local application data out of reach.
        QStandardPaths::setTestModeEnabled(true);
        const QString dataFolder =
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/corvane";
        const auto removeData = qScopeGuard([&] {
            QStandardPaths::setTestModeEnabled(false);
            QDir(dataFolder).removeRecursively();
        });
#endif
        const auto place = [&](const QString& folder) {
            return QDir::toNativeSeparators(folder == ".local/share/corvane" ? dataFolder
                                                                             : home + '/' + folder);
        };
        const QByteArray oldHome = qgetenv("HOME");
        const std::optional<QByteArray> oldDataHome = qEnvironmentVariableIsSet("XDG_DATA_HOME")
                                                          ? std::optional(qgetenv("XDG_DATA_HOME"))
                                                          : std::nullopt;
        const QString oldWorkingDirectory = QDir::currentPath();
        const auto restore = qScopeGuard([&] {
            qputenv("HOME", oldHome);
            oldDataHome ? qputenv("XDG_DATA_HOME", *oldDataHome) : qunsetenv("XDG_DATA_HOME");
            QDir::setCurrent(oldWorkingDirectory);
        });
        qputenv("HOME", QFile::encodeName(home));
        if (dataHome == "-") {
            qunsetenv("XDG_DATA_HOME");
        } else {
            qputenv("XDG_DATA_HOME", QFile::encodeName(QString(dataHome).replace("~", home)));
        }
        // A relative XDG_DATA_HOME would lead into the home.
        QVERIFY(QDir::setCurrent(home));
        OpenWindow(std::make_unique<EnvironmentDesktop>());
        // Put in place once the program runs.
        for (const QString& folder : placed) {
            QVERIFY(QDir().mkpath(place(folder)));
            WriteAll(place(folder) + '/' + file, "%PDF-1.4\n");
        }
        if (handed.isEmpty()) {
            fixture_->dialogs.ScriptAnswers({MessageAnswer::Ok});
        }

        fixture_->Window()->Command(command)->trigger();

        QCOMPARE(Asked(), handed.isEmpty() ? QStringList{kMissing} : QStringList());
        QCOMPARE(desktop_->started + desktop_->opened,
                 handed.isEmpty() ? QStringList()
                                  : QStringList{place(handed) + QDir::separator() + file});
    }

    // The help file is looked for where the program works at the moment of the command, and
    // handed over even when it is not there.
    void helpWithoutItsFile() {
        desktop_->workingDirectory = fixture_->Home() + "/elsewhere/";
        fixture_->Window()->Command(kHelpCommand)->trigger();
        QCOMPARE(desktop_->opened, QStringList{fixture_->Home() + "/elsewhere/Corvane Help.chm"});
        QCOMPARE(desktop_->started, QStringList());
        QCOMPARE(Asked(), QStringList());
    }

    void webAndMail_data() {
        QTest::addColumn<QString>("link"); // empty: the menu item "Vérifier mise à jour"
        QTest::addColumn<bool>("succeeds");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("failure");
        const struct {
            const char* link;
            const char* target;
            const char* failure;
        } commands[]{{"", "https://www.corvane.example/logiciel/", kSoftwarePageFailed},
                     {"WebSiteLink", "https://www.corvane.example/", kWebSiteFailed},
                     {"SupportLink", kMailTarget, kMailFailed}};
        for (const auto& command : commands) {
            for (const bool succeeds : {true, false}) {
                QTest::addRow("%s %s", *command.link ? command.link : "software page",
                              succeeds ? "reached" : "failing")
                    << QString(command.link) << succeeds << QString(command.target)
                    << (succeeds ? QString() : QString(command.failure));
            }
        }
    }

    void webAndMail() {
        QFETCH(QString, link);
        QFETCH(bool, succeeds);
        QFETCH(QString, target);
        QFETCH(QString, failure);
        desktop_->succeeds = succeeds;
        if (!succeeds) {
            fixture_->dialogs.ScriptAnswers({MessageAnswer::Ok});
        }

        AboutWindow* about = nullptr;
        if (link.isEmpty()) {
            fixture_->Window()->Command(kCheckUpdateCommand)->trigger();
        } else {
            about = OpenAboutWindow();
            QVERIFY(about);
            Click(about->findChild<QWidget*>(link));
        }

        QCOMPARE(desktop_->started, QStringList{target});
        QCOMPARE(Asked(), succeeds ? QStringList() : QStringList{failure});
        if (about != nullptr) {
            QCOMPARE(ShownAboutWindow(), about);
            QVERIFY(!fixture_->Window()->isEnabled());
        }
    }

    void aboutWindowOpensAndClosesThroughItsButton() {
        const QStringList expected{
            "A propos de Corvane V1.10",
            "500x225",
            "AboutLogoPicture picture 101: 1, named Logo de Corvane",
            "WebSitePicture picture 0: 1, named Corvane",
            "SupportPicture picture 102: 1, named Messagerie",
            "AboutStatusPicture picture 0: 1, named Corvane",
            "AboutPanel (0,0) 500x205 [] {}",
            "WebSiteLink (325,20) 80x20 [Site Corvane] "
            "{Se connecter au site web https://www.corvane.example/}",
            "SupportLink (325,45) 100x20 [Contacter le support] {Envoyer un e-mail au support}",
            "AboutText (260,75) 230x90 [Corvane V1.10\n\nPour toute question vous pouvez "
            "contacter l'auteur en utilisant l'adresse e-mail ci-dessus.\nUsage libre et gratuit.] "
            "{}",
            "CloseAboutButton (260,170) 230x25 [Fermer cette fenêtre] {}",
            "status: 20 px raised, [ © 2026 Corvane. Tous droits réservés.] raised"};
        for (int opening = 1; opening <= 2; ++opening) {
            QPointer<AboutWindow> about = OpenAboutWindow();
            QVERIFY(about);
            QCOMPARE(Content(about), expected);
            QCOMPARE(about->minimumSize(), about->maximumSize());
            QCOMPARE(about->windowFlags(),
                     Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
            QCOMPARE(about->windowHandle()->transientParent(), fixture_->Window()->windowHandle());
            QVERIFY(about->parent() == nullptr);
            QVERIFY(about->testAttribute(Qt::WA_X11NetWmWindowTypeToolBar));
            QVERIFY(!fixture_->Window()->isEnabled());
            const auto* text = about->findChild<QLabel*>("AboutText");
            const int needed = text->heightForWidth(text->width());
            QVERIFY2(needed <= text->height(), qPrintable(QString("needs %1 px").arg(needed)));
            for (const char* name : {"WebSiteLink", "SupportLink"}) {
                const auto* link = about->findChild<QLabel*>(name);
                const int advance = link->fontMetrics().horizontalAdvance(link->text());
                QVERIFY2(advance <= link->width(),
                         qPrintable(QString("%1 needs %2 px").arg(name).arg(advance)));
            }
            for (const QWidget* control : about->findChildren<QWidget*>()) {
                QVERIFY2(!control->testAttribute(Qt::WA_SetFont),
                         qPrintable(control->objectName()));
            }

            QVERIFY(!about->close());
            QVERIFY(about->isVisible());
            QVERIFY(!fixture_->Window()->isEnabled());

            Click(about->findChild<QPushButton*>("CloseAboutButton"));
            QTRY_VERIFY(about.isNull());
            QVERIFY(fixture_->Window()->isEnabled());
            QTRY_COMPARE(QApplication::activeWindow(), fixture_->Window());
        }
        QCOMPARE(Asked(), QStringList());
    }

    // Minimised, it would leave the main window disabled with nothing on screen to enable it.
    void aboutWindowComesBackWhenMinimised() {
        AboutWindow* about = OpenAboutWindow();
        QVERIFY(about);
        about->setWindowState(Qt::WindowMinimized);
        QVERIFY(about->isMinimized());
        QTRY_VERIFY(!about->isMinimized());
        QVERIFY(about->isVisible());
        QVERIFY(!fixture_->Window()->isEnabled());
    }

    void linkFollowsTheMouse_data() {
        QTest::addColumn<QString>("link");
        QTest::newRow("web site") << "WebSiteLink";
        QTest::newRow("support") << "SupportLink";
    }

    void linkFollowsTheMouse() {
        QFETCH(QString, link);
        AboutWindow* about = OpenAboutWindow();
        QVERIFY(about);
        auto* label = about->findChild<QLabel*>(link);
        QVERIFY(label);
        const auto colour = [label] { return label->palette().color(QPalette::WindowText); };
        QCOMPARE(colour(), QColor(Qt::black));
        QCOMPARE(label->palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);

        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(label, &enter);
        QCOMPARE(colour(), QColor(238, 25, 30));

        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(label, &leave);
        QCOMPARE(colour(), QColor(Qt::black));
        QCOMPARE(desktop_->started, QStringList());
    }

    // xdg-open tells its outcome from the event loop, once it has ended: the About window may be
    // gone by then, and so may the main window.
    void outcomeAfterTheWindowsClosed() {
        OpenWindow(std::make_unique<LateDesktop>());
        auto& late = static_cast<LateDesktop&>(*desktop_);
        QPointer<AboutWindow> about = OpenAboutWindow();
        QVERIFY(about);
        Click(about->findChild<QWidget*>("SupportLink"));
        Click(about->findChild<QPushButton*>("CloseAboutButton"));
        QTRY_VERIFY(about.isNull());
        QCOMPARE(Asked(), QStringList());

        fixture_->dialogs.ScriptAnswers({MessageAnswer::Ok});
        late.pending.at(0)(false);
        QCOMPARE(Asked(), QStringList{kMailFailed});

        fixture_->Window()->Command(kCheckUpdateCommand)->trigger();
        fixture_->Close();
        late.pending.at(1)(false);
        QCOMPARE(Asked(), QStringList{kMailFailed});
    }

    void aboutWindowGoesWithTheMainWindow() {
        QPointer<AboutWindow> about = OpenAboutWindow();
        QVERIFY(about);
        fixture_->Close();
        QVERIFY(about.isNull());
    }
};

QTEST_MAIN(TestDocuments)
#include "test_documents.moc"
