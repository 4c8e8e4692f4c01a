#include "store/FileList.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QScrollBar>
#include <QTableView>

#include <set>

namespace corvane {

namespace {

constexpr int kSmallIconSide = 16;
constexpr int kLargeIconSide = 32;
// Cells of the icon views, wide enough for a usual evaluation name.
constexpr QSize kLargeIconCell{96, 72};
constexpr QSize kSmallIconCell{200, 20};
constexpr QSize kListCell{240, 20};

// The selection keeps its colours when the list loses the focus.
void KeepSelectionVisible(QAbstractItemView* view) {
    QPalette palette = view->palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText}) {
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    }
    view->setPalette(palette);
}

void PrepareView(QAbstractItemView* view, QItemSelectionModel* selection) {
    view->setSelectionModel(selection);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setDragEnabled(false);
    KeepSelectionVisible(view);
}

// The menu key reaches the list as a context-menu request of its own; Shift+F10, the other key
// desktop users know for it, does not.
bool IsMenuShortcut(const QKeyEvent& key) {
    return key.key() == Qt::Key_F10 && key.modifiers() == Qt::ShiftModifier;
}

bool IsEnterKey(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

// The details view with the keys of a file manager: Home and End reach the first and the last
// entry, and typing looks for a name whichever cell was clicked last.
class DetailsTableView : public QTableView {
public:
    using QTableView::QTableView;

    void keyboardSearch(const QString& search) override {
        const QModelIndex current = currentIndex();
        if (current.isValid() && current.column() != 0) {
            selectionModel()->setCurrentIndex(current.siblingAtColumn(0),
                                              QItemSelectionModel::NoUpdate);
        }
        QTableView::keyboardSearch(search);
    }

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
        const int rows = model()->rowCount();
        if ((action == MoveHome || action == MoveEnd) && rows > 0) {
            return model()->index(action == MoveHome ? 0 : rows - 1, 0);
        }
        return QTableView::moveCursor(action, modifiers);
    }
};

} // namespace

FileList::FileList(QString folder, QString pattern, QWidget* parent)
    : QStackedWidget(parent),
      model_(new FileListModel(std::move(folder), std::move(pattern), this)),
      icons_(new QListView(this)), details_(new DetailsTableView(this)) {
    selection_ = new QItemSelectionModel(model_, this);
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(icons_), static_cast<QAbstractItemView*>(details_)}) {
        view->setModel(model_);
        PrepareView(view, selection_);
        Watch(view);
        addWidget(view);
    }
    icons_->setUniformItemSizes(true);
    // A folder of many thousand entries is laid out a part at a time, between other events.
    icons_->setLayoutMode(QListView::Batched);
    icons_->setBatchSize(2000);
    icons_->setMovement(QListView::Static);
    icons_->setResizeMode(QListView::Adjust);
    icons_->setWrapping(true);
    icons_->setTextElideMode(Qt::ElideRight);

    details_->setShowGrid(true);
    details_->setWordWrap(false);
    details_->setCornerButtonEnabled(false);
    details_->setIconSize({kSmallIconSide, kSmallIconSide});
    details_->verticalHeader()->hide();
    details_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    details_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    QHeaderView* header = details_->horizontalHeader();
    header->setHighlightSections(false);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(model_->SortColumn(), model_->SortOrder());
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(header, &QHeaderView::sectionClicked, this, [this, header](int column) {
        model_->SortBy(column);
        header->setSortIndicator(model_->SortColumn(), model_->SortOrder());
    });

    KeepScrolledPlace();
    connect(selection_, &QItemSelectionModel::selectionChanged, this, &FileList::stateChanged);
    connect(selection_, &QItemSelectionModel::currentChanged, this, &FileList::stateChanged);
    SetViewMode(kDetails);
}

void FileList::SetViewMode(int mode) {
    viewMode_ = mode;
    if (mode == kDetails) {
        // A hidden view would lay out every entry again at each reading of the folder.
        icons_->setModel(nullptr);
        setCurrentWidget(details_);
        return;
    }
    if (icons_->model() != model_) {
        icons_->setModel(model_);
        icons_->setSelectionModel(selection_);
    }
    const bool large = mode == kLargeIcons;
    icons_->setViewMode(large ? QListView::IconMode : QListView::ListMode);
    icons_->setFlow(mode == kListMode ? QListView::TopToBottom : QListView::LeftToRight);
    icons_->setWrapping(true);
    icons_->setWordWrap(large);
    const int side = large ? kLargeIconSide : kSmallIconSide;
    icons_->setIconSize({side, side});
    icons_->setGridSize(large ? kLargeIconCell : (mode == kListMode ? kListCell : kSmallIconCell));
    setCurrentWidget(icons_);
}

void FileList::SetColumnWidths(const std::array<int, FileListModel::kColumnCount>& widths) {
    for (int column = 0; column < FileListModel::kColumnCount; ++column) {
        details_->setColumnWidth(column, widths[static_cast<size_t>(column)]);
    }
}

QAbstractItemView* FileList::ShownView() const {
    return viewMode_ == kDetails ? static_cast<QAbstractItemView*>(details_) : icons_;
}

std::vector<int> FileList::SelectedRows() const {
    std::set<int> rows;
    for (const QModelIndex& index : details_->selectionModel()->selectedIndexes()) {
        rows.insert(index.row());
    }
    return {rows.begin(), rows.end()};
}

std::optional<int> FileList::CurrentEntry() const {
    const std::vector<int> rows = SelectedRows();
    return rows.empty() ? std::nullopt : std::optional<int>(rows.front());
}

void FileList::Reread() {
    model_->Reread();
}

void FileList::RereadInBackground() {
    model_->RereadInBackground();
}

// However the folder was read again, the list stays where the user had scrolled it.
void FileList::KeepScrolledPlace() {
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        const QAbstractItemView* view = ShownView();
        scrolledTo_ = {view->horizontalScrollBar()->value(), view->verticalScrollBar()->value()};
    });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        QAbstractItemView* view = ShownView();
        view->doItemsLayout();
        view->horizontalScrollBar()->setValue(scrolledTo_.x());
        view->verticalScrollBar()->setValue(scrolledTo_.y());
        emit reread();
    });
}

void FileList::Watch(QAbstractItemView* view) {
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
}

QPoint FileList::KeyboardMenuPosition(QAbstractItemView* view) const {
    const QModelIndex current = view->currentIndex();
    const QRect item = current.isValid() ? view->visualRect(current) : QRect();
    const QPoint inside = item.isValid() && view->viewport()->rect().intersects(item)
                              ? item.bottomLeft()
                              : QPoint(0, 0);
    return view->viewport()->mapToGlobal(inside);
}

bool FileList::eventFilter(QObject* watched, QEvent* event) {
    auto* view = qobject_cast<QAbstractItemView*>(watched);
    if (view == nullptr) {
        view = qobject_cast<QAbstractItemView*>(watched->parent());
    }
    if (view == nullptr) {
        return false;
    }
    switch (event->type()) {
    case QEvent::ContextMenu: {
        const auto* request = static_cast<QContextMenuEvent*>(event);
        emit contextMenuRequested(request->reason() == QContextMenuEvent::Mouse
                                      ? request->globalPos()
                                      : KeyboardMenuPosition(view));
        return true;
    }
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (IsMenuShortcut(*key)) {
            emit contextMenuRequested(KeyboardMenuPosition(view));
            return true;
        }
        if (IsEnterKey(*key)) {
            emit entryActivated();
            return true;
        }
        return false;
    }
    case QEvent::MouseButtonDblClick: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && watched == view->viewport() &&
            view->indexAt(mouse->position().toPoint()).isValid()) {
            emit entryActivated();
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

} // namespace corvane
