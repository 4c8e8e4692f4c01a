#pragma once

#include "store/FileList.h"
#include "widgets/DeferredPage.h"

#include <QFont>

#include <array>

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace corvane {

class Desktop;
class Dialogs;
class FolderWatch;
class PictureCatalogue;

// A command of a page's context menu: its text and its picture.
struct PageCommand {
    const char* text;
    int picture;
};

// What makes one file-list page differ from the other.
struct FileListPageSetup {
    const char* pageName;
    const char* listName;
    const char* folderTitle;
    const char* pattern;
    std::array<int, FileListModel::kColumnCount> columnWidths;
    const char* contextMenuName;
    PageCommand open;
    PageCommand properties;
    // A command of this page alone, at the end of its menu, named "PopupCommand<number>"; none
    // when its text is null.
    PageCommand dossier;
};

// The number of the evaluations page's "Créer le dossier PDF..." command, outside those of the
// window's other commands.
inline constexpr int kListDossierCommand = 120;

extern const FileListPageSetup kEvaluationsPageSetup;
extern const FileListPageSetup kImagesPageSetup;

struct FileListServices {
    Dialogs& dialogs;
    Desktop& desktop;
    FolderWatch& watch;
    const PictureCatalogue& pictures;
};

// A tab that lists one folder of the user's work and follows it: the view-mode button and menu,
// the folder's name, the list, its path and its count, and the context menu whose commands open,
// show the properties of, delete or recycle the selected entries. Opening is left to whoever
// listens to `openRequested`. The controls are made, the folder read and followed, when the page
// is first shown or first asked for its list or menus.
class FileListPage : public DeferredPage {
    Q_OBJECT

public:
    FileListPage(const FileListPageSetup& setup, const QString& folder, FileListServices services,
                 const QFont& titleFont, QWidget* parent = nullptr);
    ~FileListPage() override;

    FileList& List();
    QMenu* ContextMenu();
    QMenu* ViewModeMenu();

    // Writes the number of entries into the count label; a page not made yet counts when it is.
    void ShowFileCount();
    void SetViewMode(int mode);

    // The context menu's commands, on the entries selected when they run.
    void OpenSelected();
    void ShowSelectedProperties();
    void DeleteSelected();
    void RecycleSelected();
    void MakeDossierOfSelected();

signals:
    void openRequested(const QString& path);
    // The selected files, in list order, and the names of the selected sub-folders.
    void dossierRequested(const QStringList& files, const QStringList& folders);

protected:
    void Build() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceControls(QSize size);
    void BuildHeading(const FileListPageSetup& setup, const QFont& titleFont);
    void BuildContextMenu(const FileListPageSetup& setup);
    void BuildViewModeMenu();
    void ConnectList();
    void ShowViewModeMenu();
    void OpenCurrent();
    void ShowListState();
    // For a folder whose changes are not all told, or that cannot be followed at all: while the
    // page is shown, its folder is summed up every few seconds, away from the window's thread,
    // and read again when the summary changed.
    enum class Include { Everything, FilesOnly };
    // The full paths of the selected entries, in list order.
    QStringList SelectedPaths(Include include = Include::Everything) const;

    FileListServices services_;
    const FileListPageSetup setup_;
    const QString folder_;
    const QFont titleFont_;
    FileList* list_ = nullptr;
    QPushButton* viewModeButton_ = nullptr;
    QLabel* folderNameLabel_ = nullptr;
    QLineEdit* folderPathField_ = nullptr;
    QLabel* fileCountLabel_ = nullptr;
    QMenu* contextMenu_ = nullptr;
    QMenu* viewModeMenu_ = nullptr;
    std::array<QAction*, FileList::kViewModeCount> viewModeActions_{};
    int watchHandle_ = 0;
};

} // namespace corvane
