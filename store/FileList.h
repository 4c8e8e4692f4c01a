#pragma once

#include "store/FileListModel.h"

#include <QStackedWidget>

#include <array>
#include <optional>
#include <vector>

class QAbstractItemView;
class QItemSelectionModel;
class QTableView;

namespace corvane {

class IconsView;
class NameCellDelegate;

// The file list of a page: one folder's entries in one of four views, with a selection of
// several entries that stays visible when the list loses the focus. It reports what the user
// does to it; what follows is the page's business.
class FileList : public QStackedWidget {
    Q_OBJECT

public:
    enum ViewMode { kLargeIcons, kSmallIcons, kListMode, kDetails, kViewModeCount };

    FileList(QString folder, QString pattern, QWidget* parent = nullptr);

    void SetViewMode(int mode);
    int ViewMode() const { return viewMode_; }
    void SetColumnWidths(const std::array<int, FileListModel::kColumnCount>& widths);

    // The listed folder, ending with the path separator.
    const QString& FolderPath() const { return model_->Folder(); }
    int EntryCount() const { return model_->EntryCount(); }
    const FileEntry& Entry(int row) const { return model_->Entry(row); }
    // The selected entries' rows, in list order.
    std::vector<int> SelectedRows() const;
    // The first selected entry in list order.
    std::optional<int> CurrentEntry() const;
    // Empties the list and reads its folder again; the selection goes, the view mode, the order
    // and the scrolled position stay.
    void Reread();
    // The same, read away from the window's thread; `reread` tells when it is done.
    void RereadInBackground();
    // Whether the list is waiting for a reading of its folder.
    bool ReadingDue() const { return model_->ReadingDue(); }
    bool Listed() const { return model_->Listed(); }

    FileListModel& Model() { return *model_; }
    QTableView* DetailsView() const { return details_; }
    QAbstractItemView* ShownView() const;

signals:
    // A right click, the menu key or Shift+F10: where the page's menu should open.
    void contextMenuRequested(const QPoint& globalPosition);
    // A double click on an entry, or Enter.
    void entryActivated();
    // The selection or the current entry changed.
    void stateChanged();
    // The folder was read again.
    void reread();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Watch(QAbstractItemView* view);
    void KeepScrolledPlace();
    // Sizes the cells of the two icon views for the names listed.
    void FitIconCells();
    QPoint KeyboardMenuPosition(QAbstractItemView* view) const;

    FileListModel* model_;
    IconsView* icons_;
    NameCellDelegate* cells_;
    QTableView* details_;
    QItemSelectionModel* selection_;
    int viewMode_ = kDetails;
    QPoint scrolledTo_;
};

} // namespace corvane
