#include "store/FileListModel.h"

#include "core/FileSizeText.h"
#include "platform/files/NativeNames.h"
#include "store/EntryOrder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

namespace corvane {

namespace {

// The captions of the desktop's own file lists, in the desktop's language; the English ones
// where it has none.
QString ColumnCaption(int column) {
    struct Caption {
        const char* source;
        const char* disambiguation;
        const char* fallback;
    };
    static const Caption captions[]{{"Name", nullptr, "Name"},
                                    {"Size", nullptr, "Size"},
                                    {"Type", "All other platforms", "Type"},
                                    {"Date Modified", nullptr, "Modified"}};
    const Caption& caption = captions[column];
    const QString translated =
        QCoreApplication::translate("QFileSystemModel", caption.source, caption.disambiguation);
    return translated == QLatin1String(caption.source) ? QString::fromLatin1(caption.fallback)
                                                       : translated;
}

// The locale's own short formats, without the user's overrides.
QString ModifiedText(qint64 modifiedMs) {
    static const QLocale locale(QLocale::system().name());
    const QDateTime modified = QDateTime::fromMSecsSinceEpoch(modifiedMs);
    return locale.toString(modified.date(), QLocale::ShortFormat) + u' ' +
           locale.toString(modified.time(), QLocale::ShortFormat);
}

OrderKey KeyOf(int column) {
    switch (column) {
    case FileListModel::kSizeColumn:
        return OrderKey::Size;
    case FileListModel::kTypeColumn:
        return OrderKey::Type;
    case FileListModel::kModifiedColumn:
        return OrderKey::Modified;
    default:
        return OrderKey::Name;
    }
}

} // namespace

FileListModel::FileListModel(QString folder, QString pattern, QObject* parent)
    : QAbstractTableModel(parent), folder_(std::move(folder)), pattern_(std::move(pattern)) {
    connect(&reading_, &QFutureWatcher<Reading>::finished, this, &FileListModel::TakeReading);
    // The first reading too is made away from the window: a folder of many thousand entries
    // would hold it.
    StartReading();
}

void FileListModel::Reread() {
    // A reading begun before this one would show an older folder.
    ++generation_;
    readAgain_ = false;
    types_.ForgetContents();
    std::vector<FileEntry> entries = ReadFolderEntries(folder_, pattern_);
    PutInCurrentOrder(entries);
    Show(std::move(entries));
}

void FileListModel::RereadInBackground() {
    if (readingOut_) {
        readAgain_ = true;
        return;
    }
    StartReading();
}

void FileListModel::StartReading() {
    readAgain_ = false;
    readingOut_ = true;
    reading_.setFuture(
        QtConcurrent::run([folder = folder_, pattern = pattern_, generation = generation_,
                           column = sortColumn_, order = sortOrder_] {
            Reading reading{ReadFolderEntries(folder, pattern), generation, -1, order};
            // The order by type needs the desktop's descriptions, which only the window's thread
            // may ask for.
            if (KeyOf(column) != OrderKey::Type) {
                PutInOrder(reading.entries, folder, KeyOf(column), order == Qt::DescendingOrder);
                reading.sortColumn = column;
            }
            return reading;
        }));
}

void FileListModel::TakeReading() {
    Reading reading = reading_.future().takeResult();
    readingOut_ = false;
    if (reading.generation == generation_) {
        types_.ForgetContents();
        if (reading.sortColumn != sortColumn_ || reading.sortOrder != sortOrder_) {
            PutInCurrentOrder(reading.entries);
        }
        Show(std::move(reading.entries));
    }
    if (readAgain_) {
        StartReading();
    }
}

void FileListModel::Show(std::vector<FileEntry> entries) {
    listed_ = true;
    beginResetModel();
    entries_.swap(entries);
    endResetModel();
    // Freeing a hundred thousand names would hold the window longer than the swap: the worker
    // frees them.
    static_cast<void>(QtConcurrent::run([doomed = std::move(entries)]() mutable { doomed = {}; }));
}

void FileListModel::SortBy(int column) {
    if (column == sortColumn_) {
        sortOrder_ = sortOrder_ == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    } else {
        sortColumn_ = column;
        sortOrder_ = Qt::AscendingOrder;
    }
    // The selection follows its entries to their new rows.
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    const std::vector<int> newRows = PutInCurrentOrder(entries_);
    QModelIndexList after;
    for (const QModelIndex& index : before) {
        after << this->index(newRows[static_cast<size_t>(index.row())], index.column());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

std::vector<int> FileListModel::PutInCurrentOrder(std::vector<FileEntry>& entries) const {
    return PutInOrder(entries, folder_, KeyOf(sortColumn_), sortOrder_ == Qt::DescendingOrder,
                      [this](const FileEntry& entry) { return TypeOf(entry).description; });
}

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : EntryCount();
}

int FileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

const FileEntry& FileListModel::Detailed(int row) const {
    FileEntry& entry = entries_[static_cast<size_t>(row)];
    ReadDetails(folder_, entry);
    return entry;
}

const FileType& FileListModel::TypeOf(const FileEntry& entry) const {
    return types_.Of(folder_, entry);
}

QString FileListModel::DisplayText(const FileEntry& entry, int column) const {
    if (entry.detailsMissing && (column == kSizeColumn || column == kModifiedColumn)) {
        return {};
    }
    switch (column) {
    case kNameColumn:
        return ShownName(entry.name);
    case kSizeColumn:
        return entry.isFolder
                   ? QString()
                   : QString::fromStdString(KilobyteText(static_cast<quint64>(entry.size)));
    case kTypeColumn:
        return entry.isFolder ? QString() : TypeOf(entry).description;
    case kModifiedColumn:
        return ModifiedText(entry.modifiedMs);
    default:
        return {};
    }
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= EntryCount()) {
        return {};
    }
    const FileEntry& entry = Detailed(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return DisplayText(entry, index.column());
    case Qt::ToolTipRole:
        // The whole name, however narrow the view shows it.
        return index.column() == kNameColumn ? QVariant(ShownName(entry.name)) : QVariant();
    case Qt::DecorationRole:
        if (index.column() != kNameColumn) {
            return {};
        }
        return entry.isFolder ? types_.FolderIcon() : TypeOf(entry).icon;
    case Qt::TextAlignmentRole:
        return index.column() == kSizeColumn ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                             : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return ColumnCaption(section);
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

} // namespace corvane
