#include "shell/MainWindow.h"

#include "assets/PictureCatalogue.h"
#include "assets/PictureTable.h"
#include "docs/AboutWindow.h"
#include "platform/desktop/Desktop.h"
#include "platform/desktop/Dialogs.h"
#include "report/OpenedEvaluation.h"
#include "shell/ExplainPage.h"
#include "shell/GridPage.h"
#include "shell/MainMenu.h"
#include "shell/StatusLine.h"
#include "store/FileListPage.h"
#include "store/OpenPicture.h"
#include "store/Snapshot.h"
#include "widgets/ShortcutGuard.h"
#include "widgets/TitleFont.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>

namespace corvane {

namespace {

// The panel leaves a 2-pixel margin on the left, top and right, and 45 pixels at the bottom for
// the status line, out of the window's inner size with the menu bar counted in.
constexpr int kPanelMargin = 2;
constexpr int kPanelBottomSpace = 45;

struct TabEntry {
    const char* caption;
    int picture;
};

constexpr TabEntry kGridTab{"Grille d'évaluation du RIS", kGridTabPicture};
constexpr TabEntry kExplainTab{"Comment est calculé le RIS", kExplainTabPicture};
constexpr TabEntry kEvaluationsTab{"Mes Evaluations", kEvaluationsPicture};
constexpr TabEntry kImagesTab{"Mes Evaluations Images", kImagesPicture};

} // namespace

MainWindow::MainWindow(WindowServices services, AppPaths paths)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      services_(std::move(services)), paths_(std::move(paths)),
      store_(grid_, services_.files, services_.dialogs, services_.clock,
             paths_.evaluations.toStdString()),
      commands_(grid_, store_, services_.files, services_.dialogs, *this, paths_.evaluations),
      documents_(services_.dialogs, services_.desktop, paths_),
      dossiers_(services_.dialogs, services_.desktop, paths_.dossiers) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Corvane"));
    setFixedSize(kWidth, kHeight);
    setFont(MakeControlFont());

    actions_ = BuildMainMenu(menuBar(), this, services_.pictures);
    menuBar()->setObjectName(QStringLiteral("MainMenu"));
    BuildPanel();
    FillStatusLine(statusBar(), services_.pictures, services_.clock().date);

    QList<QKeySequence> shortcuts;
    for (const auto& [command, action] : actions_) {
        if (!action->shortcut().isEmpty()) {
            shortcuts << action->shortcut();
        }
    }
    qApp->installEventFilter(new ShortcutGuard(shortcuts, this));

    ConnectCommands();
    ConnectGridPage();
    grid_.SetObserver(
        [this](RecordFields changed) { gridPage_->ShowRecord(grid_.Record(), changed); });
    gridPage_->ShowRecord(grid_.Record(), ~RecordFields{0});
    explainPage_->Press(0);
    gridPage_->FocusNameField();
    evaluationsPage_->ShowFileCount();
    imagesPage_->ShowFileCount();
}

MainWindow::~MainWindow() {
    grid_.SetObserver({});
    // A window of its own, which would otherwise stay on screen with nothing behind it.
    delete aboutWindow_.data();
}

QAction* MainWindow::Command(int command) const {
    const auto found = actions_.find(command);
    return found == actions_.end() ? nullptr : found->second;
}

void MainWindow::BuildPanel() {
    auto* client = new QWidget(this);
    setCentralWidget(client);
    panel_ = new QTabWidget(client);
    panel_->setObjectName(QStringLiteral("MainPanel"));
    panel_->setGeometry(kPanelMargin, kPanelMargin, kWidth - 2 * kPanelMargin,
                        kHeight - kPanelBottomSpace);

    const QFont titleFont = MakeTitleFont();
    const auto addTab = [this](QWidget* page, const TabEntry& tab) {
        // The pages wear the dialog face, which their coloured texts are chosen against, not
        // the shade a style gives the tab's frame.
        page->setAutoFillBackground(true);
        panel_->addTab(page, services_.pictures.Icon(tab.picture), QString::fromUtf8(tab.caption));
    };
    gridPage_ = new GridPage(services_.pictures, titleFont);
    gridPage_->setObjectName(QStringLiteral("GridPage"));
    addTab(gridPage_, kGridTab);
    explainPage_ = new ExplainPage(services_.pictures);
    explainPage_->setObjectName(QStringLiteral("ExplainPage"));
    addTab(explainPage_, kExplainTab);
    evaluationsPage_ = AddFileListPage(kEvaluationsPageSetup, paths_.evaluations, titleFont);
    addTab(evaluationsPage_, kEvaluationsTab);
    connect(evaluationsPage_, &FileListPage::openRequested, this,
            [this](const QString& path) { commands_.OpenTail(path); });
    imagesPage_ = AddFileListPage(kImagesPageSetup, paths_.images, titleFont);
    addTab(imagesPage_, kImagesTab);
    connect(imagesPage_, &FileListPage::openRequested, this,
            [this](const QString& path) { services_.desktop.Open(path); });
}

FileListPage* MainWindow::AddFileListPage(const FileListPageSetup& setup, const QString& folder,
                                          const QFont& titleFont) {
    return new FileListPage(
        setup, folder, {services_.dialogs, services_.desktop, services_.watch, services_.pictures},
        titleFont);
}

void MainWindow::ConnectCommands() {
    const auto on = [this](int command, auto slot) {
        connect(actions_.at(command), &QAction::triggered, this, slot);
    };
    on(kOpenEvaluationCommand, [this] { commands_.Open(); });
    on(kNewEvaluationCommand, [this] { commands_.StartNew(); });
    on(kSaveEvaluationCommand, [this] { commands_.Save(); });
    on(kQuitCommand, [this] { Quit(); });
    ConnectPictureCommands();
    ConnectDocumentCommands();
    ConnectDossierCommands();
}

// "Créer le dossier PDF..." of the evaluations list, and of the grid page's evaluation.
void MainWindow::ConnectDossierCommands() {
    connect(evaluationsPage_, &FileListPage::dossierRequested, this,
            [this](const QStringList& files, const QStringList& folders) {
                dossiers_.MakeDossier(files, folders);
            });
    connect(actions_.at(kDossierCommand), &QAction::triggered, this, [this] { MakeGridDossier(); });
}

void MainWindow::MakeGridDossier() {
    const std::string name = gridPage_->NameText().toStdString();
    const QString path = QString::fromStdString(store_.PathForName(name));
    const OpeningResult saved = name.empty() || !store_.NameStaysInFolder(name)
                                    ? OpeningResult{}
                                    : OpenEvaluationFile(path.toStdString());
    const EvaluationRecord& shown = grid_.Record();
    const bool savedAsShown = saved.evaluation && saved.evaluation->record.p1Text == shown.p1Text &&
                              saved.evaluation->record.p2Choice == shown.p2Choice &&
                              saved.evaluation->record.e1Choice == shown.e1Choice &&
                              saved.evaluation->record.e2Choice == shown.e2Choice;
    if (!savedAsShown) {
        services_.dialogs.Ask({"Créer le dossier PDF",
                               "Le dossier reprend des évaluations enregistrées, telles qu'elles "
                               "le sont : enregistrez celle-ci (Ctrl+S) et ouvrez-la (Ctrl+O), "
                               "ou choisissez les vôtres dans « Mes Evaluations » (clic droit, "
                               "« Créer le dossier PDF... »).",
                               MessageIcon::Information, MessageButtons::Ok, false});
        return;
    }
    dossiers_.MakeDossier({path});
}

// The snapshot button and "Ouvrir une image".
void MainWindow::ConnectPictureCommands() {
    connect(gridPage_, &GridPage::snapshotClicked, this, [this] {
        TakeSnapshot({services_.dialogs, services_.desktop, services_.files, services_.clock,
                      paths_.images, *this},
                     gridPage_->NameText());
    });
    connect(actions_.at(kOpenPictureCommand), &QAction::triggered, this,
            [this] { OpenPicture(services_.dialogs, services_.desktop, paths_.images); });
}

// The reference documents (menu items and buttons), the help, the software page and the About
// window.
void MainWindow::ConnectDocumentCommands() {
    const std::pair<int, ReferenceDocument> documentCommands[]{
        {kGridFormCommand, ReferenceDocument::GridForm},
        {kFormUnder5000Command, ReferenceDocument::FormUnder5000},
        {kFormOver5000Command, ReferenceDocument::FormOver5000},
        {kFlowchartCommand, ReferenceDocument::Flowchart},
        {kReferenceCommand, ReferenceDocument::Reference},
    };
    for (const auto& [command, document] : documentCommands) {
        connect(actions_.at(command), &QAction::triggered, this,
                [this, chosen = document] { documents_.OpenReferenceDocument(chosen); });
    }
    connect(gridPage_, &GridPage::documentClicked, this,
            [this](ReferenceDocument document) { documents_.OpenReferenceDocument(document); });
    connect(actions_.at(kHelpCommand), &QAction::triggered, this,
            [this] { documents_.OpenHelp(); });
    connect(actions_.at(kCheckUpdateCommand), &QAction::triggered, this,
            [this] { documents_.OpenSoftwarePage(); });
    connect(actions_.at(kAboutCommand), &QAction::triggered, this, [this] { ShowAboutWindow(); });
}

// A new window each time; the main window waits, disabled, until its button closes it.
void MainWindow::ShowAboutWindow() {
    if (aboutWindow_) {
        return;
    }
    aboutWindow_ = new AboutWindow(services_.pictures);
    aboutWindow_->setAttribute(Qt::WA_DeleteOnClose);
    connect(aboutWindow_, &AboutWindow::webSiteClicked, this, [this] { documents_.OpenWebSite(); });
    connect(aboutWindow_, &AboutWindow::supportClicked, this,
            [this] { documents_.WriteToSupport(); });
    // The main window takes the keys again at once, whatever window the window manager activates.
    connect(aboutWindow_, &AboutWindow::closed, this, [this] {
        setEnabled(true);
        activateWindow();
    });
    setEnabled(false);
    aboutWindow_->StayAbove(*this);
    aboutWindow_->show();
    // Not every window manager gives the focus to a new window of this type by itself.
    aboutWindow_->activateWindow();
}

void MainWindow::BringAboutWindowBack() {
    if (aboutWindow_) {
        aboutWindow_->raise();
        aboutWindow_->activateWindow();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (aboutWindow_) {
        event->ignore();
        BringAboutWindowBack();
        return;
    }
    QMainWindow::closeEvent(event);
}

// Some window managers raise and activate the window that was clicked, disabled or not; the
// About window then goes back on top once the window system has finished.
void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && aboutWindow_) {
        QTimer::singleShot(0, this, &MainWindow::BringAboutWindowBack);
    }
}

void MainWindow::ConnectGridPage() {
    connect(gridPage_, &GridPage::optionClicked, this,
            [this](Indicator indicator, int option) { grid_.ChooseOption(indicator, option); });
    connect(gridPage_, &GridPage::p1Edited, this,
            [this](const QString& text) { grid_.EditP1(text.toStdString()); });
    connect(gridPage_, &GridPage::nameEdited, this,
            [this](const QString& text) { grid_.EditName(text.toStdString()); });
    connect(gridPage_, &GridPage::saveClicked, this, [this] { commands_.Save(); });
}

QString MainWindow::NameFieldText() const {
    return gridPage_->NameText();
}

// A field on a page behind another tab would take the keys out of the user's sight.
void MainWindow::FocusNameField() {
    ShowGridPage();
    gridPage_->FocusNameField();
}

void MainWindow::ShowGridPage() {
    panel_->setCurrentWidget(gridPage_);
}

void MainWindow::Quit() {
    close();
}

} // namespace corvane
