#include "store/FileList.h"

#include "platform/files/NativeNames.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>

#include <algorithm>
#include <numeric>
#include <set>

namespace corvane {

namespace {

constexpr int kSmallIconSide = 16;
constexpr int kLargeIconSide = 32;
// The narrowest cells of the two icon views; they widen for longer names.
constexpr QSize kLargeIconCell{96, 72};
constexpr QSize kSmallIconCell{200, 20};
constexpr QSize kListCell{240, 20};
// Room between the names of two cells side by side.
constexpr int kCellGap = 8;
// How many names the cells are sized for: the longest ones. Measuring every name of a folder of
// many thousand entries would hold the window at each reading.
constexpr int kMeasuredNames = 64;

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

// The names of the entries with the most characters, as the user reads them.
QStringList LongestNames(const FileListModel& model, int count) {
    std::vector<int> rows(static_cast<size_t>(model.EntryCount()));
    std::iota(rows.begin(), rows.end(), 0);
    if (rows.size() > static_cast<size_t>(count)) {
        std::nth_element(rows.begin(), rows.begin() + count, rows.end(), [&model](int a, int b) {
            return model.Entry(a).name.size() > model.Entry(b).name.size();
        });
        rows.resize(static_cast<size_t>(count));
    }
    QStringList names;
    for (const int row : rows) {
        names << ShownName(model.Entry(row).name);
    }
    return names;
}

// The size the style gives an entry of the view showing `text` in a cell `width` wide.
QSize EntrySize(const QListView& view, QStyleOptionViewItem option, const QString& text,
                int width) {
    option.text = text;
    option.features |= QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration;
    option.rect = QRect(0, 0, width, QWIDGETSIZE_MAX);
    return view.style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, {}, &view);
}

// The height of an entry whose name takes two lines.
int TwoLineHeight(const QListView& view, const QStyleOptionViewItem& option) {
    return EntrySize(view, option, QStringLiteral("X") + QChar::LineSeparator + u'X',
                     QWIDGETSIZE_MAX)
        .height();
}

// The narrowest width from `least` to `most` at which each name fits whole in `height`, the
// height of two lines; `most` when some name does not fit even there.
int TwoLineWidth(const QListView& view, const QStyleOptionViewItem& option,
                 const QStringList& names, int height, int least, int most) {
    const auto fits = [&](int width) {
        return std::ranges::all_of(names, [&](const QString& name) {
            const QSize size = EntrySize(view, option, name, width);
            return size.width() <= width && size.height() <= height;
        });
    };
    if (most <= least || fits(least)) {
        return least;
    }
    if (!fits(most)) {
        return most;
    }
    // A name never takes more lines in a wider cell: `least` does not fit, `most` does.
    while (most - least > 1) {
        const int middle = least + (most - least) / 2;
        (fits(middle) ? most : least) = middle;
    }
    return most;
}

// The widest cell the view lays out side by side with another, with room for its scroll bar: one
// very long name does not make a column of the whole list.
int WidestCell(const QListView& view) {
    const int room = view.maximumViewportSize().width() -
                     view.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &view);
    return (room - 1) / 2;
}

} // namespace

// The view of the icon modes and of list mode.
class IconsView : public QListView {
public:
    using QListView::QListView;

    // How the style is asked to lay out an entry of this view.
    QStyleOptionViewItem ItemOption() const {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        return option;
    }
};

// Gives each entry of the icon views the whole of its cell, so that a name is cut only where its
// cell ends. Without an item size, an entry takes the size it needs.
class NameCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void SetItemSize(QSize size) { itemSize_ = size; }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return itemSize_.isValid() ? itemSize_ : QStyledItemDelegate::sizeHint(option, index);
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (itemSize_.isValid() && option->decorationPosition == QStyleOptionViewItem::Top) {
            // A name under its icon is laid out in the whole width of its cell, the width it was
            // sized for, and centred. Left to itself, the style lays it out again in the width
            // it measured, at times a pixel short of the line that ends it.
            option->showDecorationSelected = true;
            option->displayAlignment = Qt::AlignHCenter | Qt::AlignTop;
        }
    }

private:
    QSize itemSize_;
};

FileList::FileList(QString folder, QString pattern, QWidget* parent)
    : QStackedWidget(parent),
      model_(new FileListModel(std::move(folder), std::move(pattern), this)),
      icons_(new IconsView(this)), cells_(new NameCellDelegate(this)),
      details_(new DetailsTableView(this)) {
    selection_ = new QItemSelectionModel(model_, this);
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(icons_), static_cast<QAbstractItemView*>(details_)}) {
        view->setModel(model_);
        PrepareView(view, selection_);
        Watch(view);
        addWidget(view);
    }
    icons_->setItemDelegate(cells_);
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
    setCurrentWidget(icons_);
    if (mode == kListMode) {
        cells_->SetItemSize({});
        icons_->setGridSize(kListCell);
    } else {
        FitIconCells();
    }
}

// Cells as wide as the longest names need, as far as the view has room: large icons show a name
// on two lines under its icon, small icons on one line beside it. What still does not fit is
// elided.
void FileList::FitIconCells() {
    if (viewMode_ != kLargeIcons && viewMode_ != kSmallIcons) {
        return;
    }
    const QStringList names = LongestNames(*model_, kMeasuredNames);
    const QStyleOptionViewItem option = icons_->ItemOption();
    const int widest = WidestCell(*icons_) - kCellGap;
    QSize item;
    QSize least;
    if (viewMode_ == kLargeIcons) {
        least = kLargeIconCell;
        // No more than two lines: a third would show cut through.
        const int height = TwoLineHeight(*icons_, option);
        item = {TwoLineWidth(*icons_, option, names, height, least.width() - kCellGap, widest),
                height};
    } else {
        least = kSmallIconCell;
        int needed = 0;
        for (const QString& name : names) {
            needed = std::max(needed, EntrySize(*icons_, option, name, widest).width());
        }
        item = {std::max(least.width() - kCellGap, std::min(needed, widest)), least.height()};
    }
    cells_->SetItemSize(item);
    const QSize cell = (item + QSize(kCellGap, 0)).expandedTo(least);
    if (icons_->gridSize() != cell) {
        icons_->setGridSize(cell);
    }
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
        FitIconCells();
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
    if (watched == icons_ && event->type() == QEvent::Resize) {
        FitIconCells();
        return false;
    }
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
