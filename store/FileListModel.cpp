#include "store/FileListModel.h"

#include "core/FileSizeText.h"
#include "platform/NativeNames.h"

#include <QCollator>
#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>

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

// Names in the order of a French file manager: accents and case only break ties, and the
// numbers inside names count as numbers ("Gala 2" before "Gala 10").
const QCollator& NameCollator() {
    static const QCollator collator = [] {
        QCollator french(QLocale(QLocale::French, QLocale::France));
        french.setCaseSensitivity(Qt::CaseInsensitive);
        french.setNumericMode(true);
        return french;
    }();
    return collator;
}

} // namespace

FileListModel::FileListModel(QString folder, QString pattern, QObject* parent)
    : QAbstractTableModel(parent), folder_(std::move(folder)), pattern_(std::move(pattern)) {
    Reread();
}

void FileListModel::Reread() {
    beginResetModel();
    entries_ = ReadFolderEntries(folder_, pattern_);
    types_.ForgetContents();
    Sort();
    endResetModel();
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
    const std::vector<int> newRows = Sort();
    QModelIndexList after;
    for (const QModelIndex& index : before) {
        after << this->index(newRows[static_cast<size_t>(index.row())], index.column());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

// Sub-folders come first in either direction; equal keys fall back on the name in French order,
// then on the exact spelling, so that the order never depends on how the folder happened to be
// read. The keys are worked out once per entry, not once per comparison.
std::vector<int> FileListModel::Sort() {
    struct SortKey {
        size_t index;
        bool isFolder;
        qint64 number;
        QString text;
        QCollatorSortKey name;
    };
    std::vector<SortKey> keys;
    keys.reserve(entries_.size());
    for (size_t index = 0; index < entries_.size(); ++index) {
        const FileEntry& entry = sortColumn_ == kSizeColumn || sortColumn_ == kModifiedColumn
                                     ? Detailed(static_cast<int>(index))
                                     : entries_[index];
        SortKey key{index, entry.isFolder, 0, {}, NameCollator().sortKey(entry.name)};
        if (sortColumn_ == kSizeColumn) {
            key.number = static_cast<qint64>(SizeInKilobytes(static_cast<quint64>(entry.size)));
        } else if (sortColumn_ == kModifiedColumn) {
            key.number = entry.modifiedMs;
        } else if (sortColumn_ == kTypeColumn && !entry.isFolder) {
            key.text = TypeOf(entry).description.toCaseFolded();
        }
        keys.push_back(std::move(key));
    }
    const auto ascending = [this](const SortKey& a, const SortKey& b) {
        if (a.number != b.number) {
            return a.number < b.number;
        }
        if (a.text != b.text) {
            return a.text < b.text;
        }
        if (const int byName = a.name.compare(b.name); byName != 0) {
            return byName < 0;
        }
        return entries_[a.index].name < entries_[b.index].name;
    };
    const bool descending = sortOrder_ == Qt::DescendingOrder;
    std::sort(keys.begin(), keys.end(), [&](const SortKey& a, const SortKey& b) {
        if (a.isFolder != b.isFolder) {
            return a.isFolder;
        }
        return descending ? ascending(b, a) : ascending(a, b);
    });
    std::vector<FileEntry> sorted;
    sorted.reserve(entries_.size());
    std::vector<int> newRows(entries_.size());
    for (const SortKey& key : keys) {
        newRows[key.index] = static_cast<int>(sorted.size());
        sorted.push_back(std::move(entries_[key.index]));
    }
    entries_ = std::move(sorted);
    return newRows;
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
