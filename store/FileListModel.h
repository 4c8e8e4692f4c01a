#pragma once

#include "store/FileTypes.h"
#include "store/FolderListing.h"

#include <QAbstractTableModel>

#include <vector>

namespace corvane {

// The entries of one folder as a file list shows them: four columns (name, size, type,
// modified), sub-folders first, in the order the user last chose. The folder is read again on
// request; the order is kept across re-reads.
class FileListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { kNameColumn, kSizeColumn, kTypeColumn, kModifiedColumn, kColumnCount };

    FileListModel(QString folder, QString pattern, QObject* parent = nullptr);

    const QString& Folder() const { return folder_; }
    const FileEntry& Entry(int row) const { return entries_[static_cast<size_t>(row)]; }
    int EntryCount() const { return static_cast<int>(entries_.size()); }

    // Empties the list and reads the folder again, in the current order.
    void Reread();
    // A header click: sorts by another column ascending, or reverses the order of the column
    // that sets it.
    void SortBy(int column);
    int SortColumn() const { return sortColumn_; }
    Qt::SortOrder SortOrder() const { return sortOrder_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const FileType& TypeOf(const FileEntry& entry) const;
    // The entry with its size and time read.
    const FileEntry& Detailed(int row) const;
    QString DisplayText(const FileEntry& entry, int column) const;
    // Puts the entries in the current order; returns the new row of each former row.
    std::vector<int> Sort();

    QString folder_;
    QString pattern_;
    // Mutable because an entry's details are read the first time they are shown.
    mutable std::vector<FileEntry> entries_;
    int sortColumn_ = kNameColumn;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    mutable FileTypes types_;
};

} // namespace corvane
