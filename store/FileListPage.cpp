#include "store/FileListPage.h"

#include "assets/PictureCatalogue.h"
#include "assets/PictureTable.h"
#include "platform/desktop/Desktop.h"
#include "platform/desktop/Dialogs.h"
#include "platform/desktop/FileRemoval.h"
#include "platform/desktop/FolderWatch.h"
#include "platform/files/FolderReading.h"
#include "store/RecycleReport.h"
#include "widgets/TitleFont.h"

#include <QAbstractItemView>
#include <QAction>
#include <QActionGroup>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QResizeEvent>

namespace corvane {

const FileListPageSetup kEvaluationsPageSetup{
    "EvaluationsPage",
    "EvaluationsList",
    "Mes Evaluations",
    "*ini",
    {600, 100, 150, 120},
    "EvaluationsMenu",
    {"Ouvrir le fichier", kOpenFilePicture},
    {"Propriétés", kPropertiesPicture},
    {"Créer le dossier PDF...", kDocumentPicture},
};

const FileListPageSetup kImagesPageSetup{
    "ImagesPage",
    "ImagesList",
    "Mes Evaluations Images",
    "*jpeg",
    {600, 100, 100, 120},
    "ImagesMenu",
    {"Ouvrir l'image", kOpenImagePicture},
    {"Propriétés de l'image", kImagePropertiesPicture},
    {nullptr, 0},
};

namespace {

const UserMessage kDeleteForGoodQuestion{
    "SUPPRESSION DEFINITIVE",
    "Êtes vous sûr(e) de vouloir continuer ?\rSi oui, vous ne pourrez revenir en arrière !",
    MessageIcon::Warning, MessageButtons::YesNo, true};

constexpr const char* kViewModeTexts[FileList::kViewModeCount]{"Grandes icônes", "Petites icônes",
                                                               "Mode liste", "Détails"};

// Room kept under the list for the path and the count, and around it.
constexpr int kListTop = 30;
constexpr int kMargin = 5;
constexpr int kBottomRowHeight = 20;
constexpr int kListBottomSpace = 55;
constexpr int kPathFieldWidth = 900;
constexpr int kCountLeft = 905;
constexpr int kCountWidth = 95;

template <typename T> T* Named(T* control, const char* name) {
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

} // namespace

FileListPage::FileListPage(const FileListPageSetup& setup, const QString& folder,
                           FileListServices services, const QFont& titleFont, QWidget* parent)
    : DeferredPage(parent), services_(services), setup_(setup), folder_(folder),
      titleFont_(titleFont) {
    setObjectName(QString::fromLatin1(setup.pageName));
}

void FileListPage::Build() {
    BuildHeading(setup_, titleFont_);
    list_ =
        Named(new FileList(folder_, QString::fromLatin1(setup_.pattern), this), setup_.listName);
    list_->SetColumnWidths(setup_.columnWidths);
    // The views inside the list are what a screen reader lands on.
    list_->setAccessibleName(QString::fromUtf8(setup_.folderTitle));
    for (QAbstractItemView* view :
         list_->findChildren<QAbstractItemView*>(Qt::FindDirectChildrenOnly)) {
        view->setAccessibleName(list_->accessibleName());
    }
    folderPathField_ = Named(new QLineEdit(list_->FolderPath(), this), "FolderPathField");
    folderPathField_->setReadOnly(true);
    folderPathField_->setAccessibleName(QStringLiteral("Chemin du répertoire courant"));
    fileCountLabel_ = Named(new QLabel(this), "FileCountLabel");
    fileCountLabel_->setAlignment(Qt::AlignCenter);
    fileCountLabel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    BuildContextMenu(setup_);
    BuildViewModeMenu();
    ConnectList();
    PlaceControls(size());
    ShowFileCount();

    const QString pattern = QString::fromLatin1(setup_.pattern);
    watchHandle_ = services_.watch.Follow(
        folder_,
        [pattern](const QString& name, bool isFolder) {
            return IsListedName(name, isFolder, pattern);
        },
        this, [this] { list_->RereadInBackground(); });
}

FileListPage::~FileListPage() {
    if (watchHandle_ != 0) {
        services_.watch.Forget(watchHandle_);
    }
}

void FileListPage::BuildHeading(const FileListPageSetup& setup, const QFont& titleFont) {
    viewModeButton_ = Named(new QPushButton(this), "ViewModeButton");
    viewModeButton_->setGeometry(5, 2, 25, 25);
    viewModeButton_->setIcon(services_.pictures.Icon(kViewModePicture));
    viewModeButton_->setToolTip(QStringLiteral("Mode d'affichage"));
    viewModeButton_->setAccessibleName(viewModeButton_->toolTip());
    connect(viewModeButton_, &QAbstractButton::clicked, this, &FileListPage::ShowViewModeMenu);

    auto* caption = Named(new QLabel(QStringLiteral("Répertoire courant:"), this), "FolderCaption");
    caption->setGeometry(40, 5, 100, 20);
    folderNameLabel_ =
        Named(new QLabel(QString::fromUtf8(setup.folderTitle), this), "FolderNameLabel");
    folderNameLabel_->setGeometry(140, 5, 600, 22);
    folderNameLabel_->setFont(titleFont);
}

void FileListPage::BuildContextMenu(const FileListPageSetup& setup) {
    contextMenu_ = Named(new QMenu(this), setup.contextMenuName);
    // A menu is a window of its own, which does not inherit the page's font.
    contextMenu_->setFont(MakeControlFont());
    const auto add = [this](const PageCommand& command, void (FileListPage::*run)()) {
        QAction* action = contextMenu_->addAction(services_.pictures.Icon(command.picture),
                                                  QString::fromUtf8(command.text));
        connect(action, &QAction::triggered, this, run);
    };
    add(setup.open, &FileListPage::OpenSelected);
    contextMenu_->addSeparator();
    add(setup.properties, &FileListPage::ShowSelectedProperties);
    contextMenu_->addSeparator();
    add({"Supprimer définitivement", kDeleteForeverPicture}, &FileListPage::DeleteSelected);
    add({"Envoyer à la corbeille", kRecycleBinPicture}, &FileListPage::RecycleSelected);
    if (setup.dossier.text != nullptr) {
        contextMenu_->addSeparator();
        add(setup.dossier, &FileListPage::MakeDossierOfSelected);
        contextMenu_->actions().constLast()->setObjectName(
            QStringLiteral("PopupCommand%1").arg(kListDossierCommand));
    }
}

void FileListPage::BuildViewModeMenu() {
    viewModeMenu_ = Named(new QMenu(this), "ViewModeMenu");
    viewModeMenu_->setFont(MakeControlFont());
    for (int mode = 0; mode < FileList::kViewModeCount; ++mode) {
        QAction* action = viewModeMenu_->addAction(QString::fromUtf8(kViewModeTexts[mode]));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, mode] { SetViewMode(mode); });
        viewModeActions_[static_cast<size_t>(mode)] = action;
    }
    SetViewMode(list_->ViewMode());
}

void FileListPage::ConnectList() {
    connect(list_, &FileList::contextMenuRequested, this,
            [this](const QPoint& where) { contextMenu_->popup(where); });
    connect(list_, &FileList::entryActivated, this, &FileListPage::OpenCurrent);
    connect(list_, &FileList::stateChanged, this, &FileListPage::ShowListState);
    // A count that disagreed with the list under it would be wrong: count again after every
    // reading of the folder.
    connect(list_, &FileList::reread, this, &FileListPage::ShowFileCount);
}

FileList& FileListPage::List() {
    EnsureBuilt();
    return *list_;
}

QMenu* FileListPage::ContextMenu() {
    EnsureBuilt();
    return contextMenu_;
}

QMenu* FileListPage::ViewModeMenu() {
    EnsureBuilt();
    return viewModeMenu_;
}

void FileListPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (IsBuilt()) {
        PlaceControls(event->size());
    }
}

void FileListPage::PlaceControls(QSize size) {
    const int width = size.width();
    const int height = size.height();
    list_->setGeometry(kMargin, kListTop, width - 2 * kMargin, height - kListBottomSpace);
    const int bottomRow = height - kBottomRowHeight;
    folderPathField_->setGeometry(kMargin, bottomRow, kPathFieldWidth, kBottomRowHeight);
    fileCountLabel_->setGeometry(kCountLeft, bottomRow, kCountWidth, kBottomRowHeight);
}

void FileListPage::ShowFileCount() {
    if (!IsBuilt()) {
        return;
    }
    // Nothing is counted before the first reading of the folder lands.
    if (!list_->Listed()) {
        fileCountLabel_->clear();
        return;
    }
    const int count = list_->EntryCount();
    fileCountLabel_->setText(QString::number(count) + (count < 2 ? QStringLiteral(" Fichier")
                                                                 : QStringLiteral(" Fichiers")));
}

void FileListPage::SetViewMode(int mode) {
    EnsureBuilt();
    list_->SetViewMode(mode);
    for (int each = 0; each < FileList::kViewModeCount; ++each) {
        viewModeActions_[static_cast<size_t>(each)]->setChecked(each == mode);
    }
}

// At the pointer when the button was clicked; under the button when it was pressed from the
// keyboard.
void FileListPage::ShowViewModeMenu() {
    const QPoint pointer = QCursor::pos();
    const bool pointerOnButton =
        viewModeButton_->rect().contains(viewModeButton_->mapFromGlobal(pointer));
    viewModeMenu_->popup(pointerOnButton
                             ? pointer
                             : viewModeButton_->mapToGlobal(viewModeButton_->rect().bottomLeft()));
}

void FileListPage::ShowListState() {
    folderPathField_->setText(list_->FolderPath());
    ShowFileCount();
    if (const auto current = list_->CurrentEntry(); current && list_->Entry(*current).isFolder) {
        folderNameLabel_->setText(list_->Entry(*current).name);
    }
}

QStringList FileListPage::SelectedPaths(Include include) const {
    QStringList paths;
    for (const int row : list_->SelectedRows()) {
        const FileEntry& entry = list_->Entry(row);
        if (include == Include::Everything || !entry.isFolder) {
            paths << list_->FolderPath() + entry.name;
        }
    }
    return paths;
}

void FileListPage::OpenCurrent() {
    const auto current = list_->CurrentEntry();
    if (!current || list_->Entry(*current).isFolder) {
        return;
    }
    emit openRequested(list_->FolderPath() + list_->Entry(*current).name);
}

void FileListPage::OpenSelected() {
    for (const QString& path : SelectedPaths()) {
        emit openRequested(path);
    }
}

void FileListPage::MakeDossierOfSelected() {
    QStringList files;
    QStringList folders;
    for (const int row : list_->SelectedRows()) {
        const FileEntry& entry = list_->Entry(row);
        (entry.isFolder ? folders : files)
            << (entry.isFolder ? entry.name : list_->FolderPath() + entry.name);
    }
    emit dossierRequested(files, folders);
}

void FileListPage::ShowSelectedProperties() {
    for (const QString& path : SelectedPaths()) {
        services_.desktop.ShowProperties(path);
    }
}

void FileListPage::DeleteSelected() {
    if (list_->EntryCount() == 0) {
        return;
    }
    // Only files go: a link shown as a sub-folder stays too.
    const QStringList paths = SelectedPaths(Include::FilesOnly);
    if (services_.dialogs.Ask(kDeleteForGoodQuestion) != MessageAnswer::Yes) {
        return;
    }
    for (const QString& path : paths) {
        if (SomethingAt(path)) {
            DeleteFileForGood(path);
        }
    }
    list_->Reread();
}

void FileListPage::RecycleSelected() {
    std::vector<RecycledEntry> recycled;
    for (const QString& path : SelectedPaths()) {
        if (SomethingAt(path)) {
            recycled.push_back(
                {path.mid(list_->FolderPath().size()), services_.desktop.MoveToRecycleBin(path)});
        }
    }
    list_->Reread();
    if (const std::optional<UserMessage> message = LeftInPlaceMessage(recycled)) {
        services_.dialogs.Ask(*message);
    }
}

} // namespace corvane
