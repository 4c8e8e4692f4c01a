#pragma once

#include "core/EvaluationStore.h"
#include "core/RiskGrid.h"
#include "docs/DocumentCommands.h"
#include "platform/desktop/AppPaths.h"
#include "shell/DossierCommands.h"
#include "shell/EvaluationCommands.h"

#include <QMainWindow>
#include <QPointer>

#include <map>
#include <memory>

class QTabWidget;

namespace corvane {

class AboutWindow;
class Desktop;
class Dialogs;
class ExplainPage;
class FileListPage;
struct FileListPageSetup;
class FolderWatch;
class GridPage;
class PictureCatalogue;

// What the window works with, handed in at start-up (tests hand in scripted ones).
struct WindowServices {
    Dialogs& dialogs;
    Desktop& desktop;
    EvaluationFiles& files;
    FolderWatch& watch;
    Clock clock;
    const PictureCatalogue& pictures;
};

// The one main window: menu bar, shortcuts, the four-tab panel and the status line. It routes
// every command and control event to the operation that owns it.
class MainWindow : public QMainWindow, private EvaluationView {
    Q_OBJECT

public:
    static constexpr int kWidth = 1014;
    static constexpr int kHeight = 718;

    MainWindow(WindowServices services, AppPaths paths);
    ~MainWindow() override;

    const RiskGrid& Grid() const { return grid_; }
    const AppPaths& Paths() const { return paths_; }
    QAction* Command(int command) const;

private:
    QString NameFieldText() const override;
    void FocusNameField() override;
    void ShowGridPage() override;

    void BuildPanel();
    FileListPage* AddFileListPage(const FileListPageSetup& setup, const QString& folder,
                                  const QFont& titleFont);
    void ConnectCommands();
    void ConnectPictureCommands();
    void ConnectDocumentCommands();
    void ConnectGridPage();
    void ConnectDossierCommands();
    // The dossier of the evaluation on the grid page, once it is saved as it stands.
    void MakeGridDossier();
    void ShowAboutWindow();
    void BringAboutWindowBack();
    void Quit();

    // While the About window is open, the frame's close box does nothing, as Ctrl+Q, and a click
    // on this window brings the About window back to the front.
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

    WindowServices services_;
    AppPaths paths_;
    RiskGrid grid_;
    EvaluationStore store_;
    EvaluationCommands commands_;
    DocumentCommands documents_;
    DossierCommands dossiers_;
    QPointer<AboutWindow> aboutWindow_;
    std::map<int, QAction*> actions_;
    QTabWidget* panel_ = nullptr;
    GridPage* gridPage_ = nullptr;
    ExplainPage* explainPage_ = nullptr;
    FileListPage* evaluationsPage_ = nullptr;
    FileListPage* imagesPage_ = nullptr;
};

} // namespace corvane
