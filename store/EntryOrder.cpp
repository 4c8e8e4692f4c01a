#include "store/EntryOrder.h"

#include "core/FileSizeText.h"

#include <QCollator>

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

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

// Whether a name is made of printable ASCII alone: those, the bulk of names, are compared
// without the collator.
bool IsPlain(const QString& name) {
    return std::all_of(name.begin(), name.end(),
                       [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7F; });
}

// The place of each printable ASCII character in the French order, letter case aside, as the
// collator itself gives it: space and punctuation, then digits, then letters.
const std::array<int, 128>& PlainRanks() {
    static const std::array<int, 128> ranks = [] {
        const QCollator collator = NameCollator();
        std::vector<char16_t> characters;
        for (char16_t c = 0x20; c < 0x7F; ++c) {
            characters.push_back(c);
        }
        const auto compare = [&collator](char16_t a, char16_t b) {
            return collator.compare(QString(QChar(a)), QString(QChar(b)));
        };
        std::stable_sort(characters.begin(), characters.end(),
                         [&](char16_t a, char16_t b) { return compare(a, b) < 0; });
        std::array<int, 128> placed{};
        int rank = 0;
        for (std::size_t index = 0; index < characters.size(); ++index) {
            if (index > 0 && compare(characters[index - 1], characters[index]) != 0) {
                ++rank;
            }
            placed[characters[index]] = rank;
        }
        return placed;
    }();
    return ranks;
}

std::string_view View(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The digits of the number at `at` in `text`, without its leading zeros; `at` moves past it.
std::string_view TakeNumber(std::string_view text, std::size_t& at) {
    while (at < text.size() && text[at] == '0') {
        ++at;
    }
    const std::size_t start = at;
    while (at < text.size() && IsDigit(text[at])) {
        ++at;
    }
    return text.substr(start, at - start);
}

// Two plain names in the collator's order at its first level: letter case aside, and the numbers
// inside names as numbers ("Gala 2" before "Gala 10", "07" as "7"). 0 when only case or the
// writing of a number tells them apart, which the collator then decides.
int ComparePlain(std::string_view a, std::string_view b) {
    const std::array<int, 128>& ranks = PlainRanks();
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            const std::string_view x = TakeNumber(a, i);
            const std::string_view y = TakeNumber(b, j);
            if (x.size() != y.size()) {
                return x.size() < y.size() ? -1 : 1;
            }
            if (const int digits = x.compare(y); digits != 0) {
                return digits;
            }
            continue;
        }
        const int x = ranks[static_cast<unsigned char>(a[i])];
        const int y = ranks[static_cast<unsigned char>(b[j])];
        if (x != y) {
            return x < y ? -1 : 1;
        }
        ++i;
        ++j;
    }
    if (i < a.size()) {
        return 1;
    }
    return j < b.size() ? -1 : 0;
}

// Whether the collator at hand orders plain names as ComparePlain does: ICU's does, but a
// system's own collator may pass over hyphens and apostrophes or read numbers otherwise. Found
// once, on names made of one or two of the pieces that tell them apart.
bool PlainOrderHolds() {
    static const bool holds = [] {
        const QCollator collator = NameCollator();
        const std::vector<QString> pieces{"a", "B", "z", "1", "01", "10", "2", " ",
                                          "-", "'", ".", "_", "(",  "~",  "@", "0"};
        std::vector<QString> names = pieces;
        for (const QString& first : pieces) {
            for (const QString& second : pieces) {
                names.push_back(first + second);
            }
        }
        const auto sign = [](int order) { return (order > 0) - (order < 0); };
        for (const QString& a : names) {
            for (const QString& b : names) {
                const int plain = ComparePlain(View(a.toLatin1()), View(b.toLatin1()));
                if (plain != 0 && plain != sign(collator.compare(a, b))) {
                    return false;
                }
            }
        }
        return true;
    }();
    return holds;
}

// Worked out once per entry, not once per comparison: a plain name's bytes, any other's
// collation key.
struct SortKey {
    size_t index;
    bool isFolder;
    qint64 number;
    QString text;
    bool plain;
    QByteArray plainName;
    std::optional<QCollatorSortKey> name;
};

std::vector<SortKey> KeysOf(std::vector<FileEntry>& entries, const QString& folder, OrderKey key,
                            const std::function<QString(const FileEntry&)>& typeOf,
                            const QCollator& collator) {
    std::vector<SortKey> keys;
    keys.reserve(entries.size());
    for (size_t index = 0; index < entries.size(); ++index) {
        FileEntry& entry = entries[index];
        if (key == OrderKey::Size || key == OrderKey::Modified) {
            ReadDetails(folder, entry);
        }
        const bool plain = IsPlain(entry.name) && PlainOrderHolds();
        SortKey sortKey{index,
                        entry.isFolder,
                        0,
                        {},
                        plain,
                        plain ? entry.name.toLatin1() : QByteArray(),
                        plain ? std::nullopt : std::optional(collator.sortKey(entry.name))};
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
    const QCollator collator = NameCollator();
    std::vector<SortKey> keys = KeysOf(entries, folder, key, typeOf, collator);
    const auto byName = [&](const SortKey& a, const SortKey& b) {
        if (!a.plain && !b.plain) {
            return a.name->compare(*b.name);
        }
        if (a.plain && b.plain) {
            if (const int order = ComparePlain(View(a.plainName), View(b.plainName)); order != 0) {
                return order;
            }
        }
        return collator.compare(entries[a.index].name, entries[b.index].name);
    };
    const auto ascending = [&](const SortKey& a, const SortKey& b) {
        if (a.number != b.number) {
            return a.number < b.number;
        }
        if (a.text != b.text) {
            return a.text < b.text;
        }
        if (const int order = byName(a, b); order != 0) {
            return order < 0;
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
