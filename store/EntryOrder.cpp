#include "store/EntryOrder.h"

#include "core/FileSizeText.h"

#include <QCollator>

#include <algorithm>

namespace corvane {

namespace {

// Names in the order of a French file manager: accents and case only break ties, and the
// numbers inside names count as numbers ("Gala 2" before "Gala 10"). One per sorting, as a
// collator is not to be shared between threads.
QCollator NameCollator() {
    QCollator french(QLocale(QLocale::French, QLocale::France));
    french.setCaseSensitivity(Qt::CaseInsensitive);
    french.setNumericMode(true);
    return french;
}

// Worked out once per entry, not once per comparison.
struct SortKey {
    size_t index;
    bool isFolder;
    qint64 number;
    QString text;
    QCollatorSortKey name;
};

std::vector<SortKey> KeysOf(std::vector<FileEntry>& entries, const QString& folder, OrderKey key,
                            const std::function<QString(const FileEntry&)>& typeOf) {
    const QCollator collator = NameCollator();
    std::vector<SortKey> keys;
    keys.reserve(entries.size());
    for (size_t index = 0; index < entries.size(); ++index) {
        FileEntry& entry = entries[index];
        if (key == OrderKey::Size || key == OrderKey::Modified) {
            ReadDetails(folder, entry);
        }
        SortKey sortKey{index, entry.isFolder, 0, {}, collator.sortKey(entry.name)};
        if (key == OrderKey::Size) {
            sortKey.number = static_cast<qint64>(SizeInKilobytes(static_cast<quint64>(entry.size)));
        } else if (key == OrderKey::Modified) {
            sortKey.number = entry.modifiedMs;
        } else if (key == OrderKey::Type && !entry.isFolder) {
            sortKey.text = typeOf(entry).toCaseFolded();
        }
        keys.push_back(std::move(sortKey));
    }
    return keys;
}

} // namespace

std::vector<int> PutInOrder(std::vector<FileEntry>& entries, const QString& folder, OrderKey key,
                            bool descending,
                            const std::function<QString(const FileEntry&)>& typeOf) {
    std::vector<SortKey> keys = KeysOf(entries, folder, key, typeOf);
    const auto ascending = [&entries](const SortKey& a, const SortKey& b) {
        if (a.number != b.number) {
            return a.number < b.number;
        }
        if (a.text != b.text) {
            return a.text < b.text;
        }
        if (const int byName = a.name.compare(b.name); byName != 0) {
            return byName < 0;
        }
        return entries[a.index].name < entries[b.index].name;
    };
    std::sort(keys.begin(), keys.end(), [&](const SortKey& a, const SortKey& b) {
        if (a.isFolder != b.isFolder) {
            return a.isFolder;
        }
        return descending ? ascending(b, a) : ascending(a, b);
    });
    std::vector<FileEntry> sorted;
    sorted.reserve(entries.size());
    std::vector<int> newRows(entries.size());
    for (const SortKey& sortKey : keys) {
        newRows[sortKey.index] = static_cast<int>(sorted.size());
        sorted.push_back(std::move(entries[sortKey.index]));
    }
    entries = std::move(sorted);
    return newRows;
}

} // namespace corvane
