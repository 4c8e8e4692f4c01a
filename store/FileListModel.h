#pragma once

#include "platform/desktop/FileTypes.h"
#include "store/FolderListing.h"

#include <QAbstractTableModel>
#include <QFutureWatcher>

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
    FileListModel(const FileListModel&) = delete;
    FileListModel& operator=(const FileListModel&) = delete;

    const QString& Folder() const { return folder_; }
    const FileEntry& Entry(int row) const { return entries_[static_cast<size_t>(row)]; }
    int EntryCount() const { return static_cast<int>(entries_.size()); }

    // Empties the list and reads the folder again, in the current order.
    void Reread();
    // The same, with the folder read and sorted away from the window's thread: the list changes
    // at once when the reading is done, so that a folder of a hundred thousand entries never
    // holds the window. A reading still running when the list goes ends on its own, its entries
    // dropped. Asked again while reading, it reads once more afterwards; a Reread
    // meanwhile makes the reading's entries count for nothing.
    void RereadInBackground();
    // Whether a reading of the folder is on its way, or another is due after it.
    bool ReadingDue() const { return readingOut_ || readAgain_; }
    // Whether a reading of the folder has landed yet: before it, the list is not known to be
    // empty.
    bool Listed() const { return listed_; }
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
    // Puts entries in the current order; returns the new row of each former row.
    std::vector<int> PutInCurrentOrder(std::vector<FileEntry>& entries) const;
    void Show(std::vector<FileEntry> entries);

    struct Reading {
        std::vector<FileEntry> entries;
        int generation = 0;
        int sortColumn = -1; // the order the entries are in; -1: none yet
        Qt::SortOrder sortOrder = Qt::AscendingOrder;
    };
    void StartReading();
    void TakeReading();

    QString folder_;
    QString pattern_;
    // Mutable because an entry's details are read the first time they are shown.
    mutable std::vector<FileEntry> entries_;
    int sortColumn_ = kNameColumn;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    mutable FileTypes types_;
    QFutureWatcher<Reading> reading_;
    bool readingOut_ = false; // from its start until its entries are taken
    bool listed_ = false;
    bool readAgain_ = false;
    int generation_ = 0;
};

} // namespace corvane
