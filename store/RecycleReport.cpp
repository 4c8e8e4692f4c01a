#include "store/RecycleReport.h"

#include "platform/files/NativeNames.h"

#include <QStringList>

namespace corvane {

namespace {

// Enough to recognise the entries; the rest of a long selection is counted.
constexpr qsizetype kNamedEntries = 10;
constexpr qsizetype kLongestShownName = 60;

const char* Why(RecycleOutcome outcome) {
    switch (outcome) {
    case RecycleOutcome::UnsafeBin:
        return "la corbeille de ce disque n'est pas un dossier à vous seul";
    case RecycleOutcome::NoBin:
        return "ce disque n'a pas de corbeille utilisable";
    case RecycleOutcome::NotAllowed:
        return "vous n'avez pas le droit de le déplacer";
    case RecycleOutcome::DiskFull:
        return "le disque est plein";
    default:
        return "le système a refusé de le déplacer";
    }
}

// A name on one line of a message: no control character, and not longer than the box.
QString OnOneLine(const QString& name) {
    QString shown = ShownName(name);
    for (QChar& character : shown) {
        if (character.category() == QChar::Other_Control) {
            character = u' ';
        }
    }
    if (shown.size() > kLongestShownName) {
        qsizetype end = kLongestShownName - 1;
        if (shown.at(end - 1).isHighSurrogate()) {
            --end;
        }
        shown = shown.left(end) + QChar(0x2026);
    }
    return shown;
}

} // namespace

std::optional<UserMessage> LeftInPlaceMessage(const std::vector<RecycledEntry>& entries) {
    QStringList lines;
    qsizetype left = 0;
    for (const RecycledEntry& entry : entries) {
        if (entry.outcome == RecycleOutcome::Moved || entry.outcome == RecycleOutcome::Missing) {
            continue;
        }
        if (++left <= kNamedEntries) {
            lines << QStringLiteral("« %1 » : %2.")
                         .arg(OnOneLine(entry.name), QString::fromUtf8(Why(entry.outcome)));
        }
    }
    if (left == 0) {
        return std::nullopt;
    }
    if (left > kNamedEntries) {
        lines << QStringLiteral("... et %1 autres.").arg(left - kNamedEntries);
    }
    const QString heading =
        left == 1
            ? QStringLiteral("Ce fichier n'a pas été envoyé à la corbeille ; il reste à sa place :")
            : QStringLiteral("Ces fichiers n'ont pas été envoyés à la corbeille ; ils restent à "
                             "leur place :");
    return UserMessage{
        "Envoyer à la corbeille",
        (heading + QStringLiteral("\r\n\r\n") + lines.join(QStringLiteral("\r\n"))).toStdString(),
        MessageIcon::Warning, MessageButtons::Ok};
}

} // namespace corvane
