#include "report/ReportTexts.h"

#include "core/FrenchFigure.h"
#include "core/RisBands.h"
#include "report/TextBlock.h"

namespace corvane {

namespace {

// Far more than any box of the page can show: a hand-edited file may hold a huge value, which is
// cut here before it is laid out.
constexpr qsizetype kMaxShownChars = 1000;

// Which saved figure does not follow from the others.
QString Disagreement(SavedResults results) {
    switch (results) {
    case SavedResults::PNotFromP1:
        return QStringLiteral("l'effectif pris en compte (P) n'est pas celui que donne P1.");
    case SavedResults::IndexNotFromOptions:
        return QStringLiteral(
            "l'indice total de risque n'est pas celui que donnent les options retenues.");
    case SavedResults::RisNotFromIndexAndP:
        return QStringLiteral("le RIS n'est pas celui que donnent l'indice et P.");
    case SavedResults::TypeNotFromRis:
        return QStringLiteral("le type de DPS n'est pas celui que donne le RIS.");
    default:
        return {};
    }
}

} // namespace

// Why an evaluation saved before its results were computed has no report; empty when it has one.
QString WhyNothingToReport(SavedResults results) {
    switch (results) {
    case SavedResults::NoHeadcount:
        return QStringLiteral("l'évaluation ne contient pas d'effectif (P1)");
    case SavedResults::MissingResult:
        return QStringLiteral("l'évaluation ne contient pas de résultat (P, RIS ou type de DPS)");
    default:
        return {};
    }
}

// A stored text as the page shows it: control characters become spaces.
QString Shown(std::string_view text) {
    QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (shown.size() > kMaxShownChars) {
        qsizetype end = kMaxShownChars;
        if (shown.at(end - 1).isHighSurrogate()) {
            --end;
        }
        shown.truncate(end);
        shown += kEllipsis;
    }
    for (QChar& character : shown) {
        if (character.category() == QChar::Other_Control) {
            character = u' ';
        }
    }
    return shown;
}

// An indicator's title on the grid page without the page's instruction to choose.
QString IndicatorTitle(const char* pageTitle) {
    QString title = QString::fromUtf8(pageTitle);
    const qsizetype instruction = title.lastIndexOf(QStringLiteral(", choisir"));
    if (instruction > 0) {
        title.truncate(instruction);
    }
    return title;
}

// A saved figure as a French document writes it: "340 000", "2,250".
QString Figure(std::string_view text) {
    return Shown(FrenchFigure(text, "\u202F"));
}

// Why no number of workers is given for results that are not the grid's own.
QString NoVerdictText(SavedResults results) {
    QString why;
    if (results == SavedResults::NoHeadcount) {
        why = QStringLiteral("L'évaluation ne contient pas d'effectif (P1).");
    } else if (results == SavedResults::MissingResult) {
        why = QStringLiteral(
            "L'évaluation ne contient pas tous ses résultats (P, RIS ou type de DPS).");
    } else {
        why =
            QStringLiteral("Les chiffres enregistrés ne concordent pas : ") + Disagreement(results);
    }
    return why + QStringLiteral(" Aucun nombre d'intervenants n'est donné : ouvrez "
                                "l'évaluation dans Corvane et enregistrez-la de nouveau.");
}

QString BandText(std::size_t index) {
    const RisBand& band = kRisBands[index];
    const QString upTo = Figure(band.upToText);
    if (index == 0) {
        return QStringLiteral("RIS ≤ ") + upTo;
    }
    const QString from = Figure(kRisBands[index - 1].upToText);
    if (band.upToText.empty()) {
        return QStringLiteral("RIS > ") + from;
    }
    return from + QStringLiteral(" < RIS ≤ ") + upTo;
}

} // namespace corvane
