#include "report/EvaluationPage.h"

#include "core/CoverOrganisation.h"
#include "core/DossierSummary.h"
#include "core/ExactRis.h"
#include "core/FrenchDate.h"
#include "core/IndicatorTexts.h"
#include "core/NumberText.h"
#include "core/RecommendedWorkers.h"
#include "core/RisBands.h"
#include "report/PrintedOptions.h"
#include "report/ReportPdf.h"
#include "report/ReportTexts.h"

#include <algorithm>

namespace corvane {

EvaluationPage::EvaluationPage(PdfCanvas& canvas, const OpenedEvaluation& evaluation,
                               const std::optional<EvaluationPlacement>& placement,
                               PageNumber number, qreal scale)
    : PagePainter(canvas), evaluation_(evaluation), record_(evaluation.record),
      placement_(placement), number_(number), scale_(scale) {}

bool EvaluationPage::Paint() {
    const qreal bottom = Mm(kPageHeightMm - kBottomMarginMm - kFooterHeightMm);
    const qreal signaturesTop = bottom - Mm(kSignatureHeightMm);
    const TextBlock note =
        Block(QStringLiteral("Ce document reprend l'estimation de la grille nationale d'évaluation "
                             "des risques. Elle donne un minimum : le maire ou le préfet peut "
                             "demander un dispositif plus important."),
              Font(8.5, QFont::Normal), Mm(kPageWidthMm - 2 * kSideMarginMm), 2);
    const qreal noteTop = signaturesTop - Mm(2.5) - note.Height();

    canvas_.Save();
    canvas_.Scale(scale_);
    SpanThePage(scale_);
    y_ = Mm(kTopMarginMm) / scale_;
    Header();
    Indicators();
    Results();
    RisNotes();
    Workers();
    Bands();
    const bool fits = y_ * scale_ + Mm(2) <= noteTop;

    canvas_.Restore();
    SpanThePage(1);
    note.Draw(canvas_, {left_, noteTop}, kMuted);
    Signatures(signaturesTop);
    Footer(placement_ ? placement_->eventName : QString(), number_);
    return fits;
}

void EvaluationPage::Header() {
    Paragraph(QStringLiteral("Dispositif prévisionnel de secours (DPS) — grille nationale "
                             "d'évaluation des risques"),
              Font(9), kMuted, 1, Mm(1.5));
    const QString name = Shown(record_.name);
    Paragraph(name.isEmpty() ? QStringLiteral("Évaluation sans nom") : name, Font(16, QFont::Bold),
              kInk, 3, Mm(1));
    if (placement_) {
        const QString audience = placement_->audience == Audience::Acteurs
                                     ? QStringLiteral("Acteurs (participants)")
                                     : QStringLiteral("Public");
        const QString day = placement_->day
                                ? QString::fromStdString(FrenchRunningDate(*placement_->day))
                                : QStringLiteral("jour non précisé");
        Paragraph(audience + QStringLiteral(" — ") + day, Font(10, QFont::Bold), kAccent, 1, Mm(1));
    }
    if (evaluation_.savedDate.empty()) {
        Paragraph(QStringLiteral("Date d'enregistrement : absente du fichier"),
                  Font(10, QFont::Normal), kMuted, 1, Mm(2));
    } else {
        Paragraph(QStringLiteral("Enregistrée le ") +
                      Shown(RunningTextStamp(evaluation_.savedDate)),
                  Font(10), kInk, 1, Mm(2));
    }
    Rule(kInk, 0.5);
}

void EvaluationPage::Indicators() {
    Heading(QStringLiteral("Indicateurs de risque"));
    const qreal labelWidth = Mm(44);
    const qreal coefficientWidth = Mm(22);
    const qreal optionWidth = Width() - labelWidth - coefficientWidth;
    const QFont small = Font(8);
    Row({{labelWidth, {QStringLiteral("Indicateur"), small}},
         {optionWidth, {QStringLiteral("Option retenue"), small}},
         {coefficientWidth, {QStringLiteral("Coefficient"), small, 1, Qt::AlignRight}}},
        true);
    struct Line {
        const char* code;
        const char* title;
        QString option;
        const std::string& coefficient;
    };
    const auto e2Option = [this] {
        const int choice = std::clamp(record_.e2Choice, 1, kOptionCount);
        return QStringLiteral("Option %1 = %2")
            .arg(choice)
            .arg(QString::fromUtf8(kE2OptionCaptions[choice - 1]));
    };
    const Line lines[] = {
        {"P2", kP2Title, PrintedOption(Indicator::P2, record_.p2Choice), record_.p2Coefficient},
        {"E1", kE1Title, PrintedOption(Indicator::E1, record_.e1Choice), record_.e1Coefficient},
        {"E2", kE2Title, e2Option(), record_.e2Coefficient},
    };
    for (const Line& line : lines) {
        Row({{labelWidth,
              {QString::fromLatin1(line.code) + u' ' + IndicatorTitle(line.title),
               Font(9, QFont::Bold), 4}},
             {optionWidth, {line.option, Font(9), 6}},
             {coefficientWidth,
              {Figure(line.coefficient), Font(9, QFont::Bold), 1, Qt::AlignRight}}},
            false);
    }
}

void EvaluationPage::Results() {
    Heading(QStringLiteral("Calcul du RIS"));
    const qreal gap = Mm(6);
    const qreal column = (Width() - gap) / 2;
    const qreal labelWidth = Mm(62);
    const qreal second = left_ + column + gap;
    // Beside a RIS whose three decimals land on a bound, the exact value that decides; its
    // label then takes two lines to leave the value the room.
    const std::string exact = evaluation_.verdict.workers ? RisAboveBoundText(record_) : "";
    const QString exactText =
        exact.empty() ? QString()
                      : QStringLiteral(" (exactement %1)").arg(QString::fromStdString(exact));
    const qreal rightLabelWidth = exact.empty() ? labelWidth : Mm(44);
    const std::pair<QString, const std::string&> leftColumn[] = {
        {QStringLiteral("Effectif prévisible du public (P1)"), record_.p1Text},
        {QStringLiteral("Effectif pris en compte (P)"), record_.pText},
    };
    const std::pair<QString, const std::string&> rightColumn[] = {
        {QStringLiteral("Indice total de risque (i)"), record_.riskIndexText},
        {QStringLiteral("Ratio d'intervenants secouristes (RIS)"), record_.risText},
    };
    for (std::size_t row = 0; row < 2; ++row) {
        const qreal height =
            std::max(LabelValue(left_, column, labelWidth, leftColumn[row].first,
                                Figure(leftColumn[row].second), 1),
                     LabelValue(second, column, rightLabelWidth, rightColumn[row].first,
                                Figure(rightColumn[row].second) + (row == 1 ? exactText : ""), 2));
        y_ += height + Mm(1.2);
    }
    y_ += Mm(0.8);
    const QString typeText = Shown(record_.dpsTypeText);
    y_ += LabelValue(left_, Width(), labelWidth, QStringLiteral("Type de DPS correspondant"),
                     typeText.isEmpty() ? QStringLiteral("aucun dans le fichier") : typeText, 2) +
          Mm(1.5);
    if (const std::optional<PdfJpeg> banner = ReportBanner(record_.banner)) {
        const qreal width = Mm(100);
        const qreal height = width * banner->height / banner->width;
        canvas_.Jpeg(QRectF(left_ + (Width() - width) / 2, y_, width, height), *banner);
        y_ += height + Mm(1);
    } else if (!typeText.isEmpty()) {
        Paragraph(QStringLiteral("Ce type n'est pas l'un de ceux de la grille nationale : le "
                                 "fichier a sans doute été modifié à la main."),
                  Font(9, QFont::Normal), kWarningInk, 2, Mm(1));
    }
}

void EvaluationPage::RisNotes() {
    if (!evaluation_.verdict.workers) {
        return;
    }
    const QFont font = Font(9, QFont::Normal);
    if (const std::string exact = RisAboveBoundText(record_); !exact.empty()) {
        Paragraph(QStringLiteral("Le RIS est écrit avec trois décimales ; sa valeur exacte, "
                                 "i × P / 1000 = %1, dépasse la limite de la tranche : le type "
                                 "et le nombre d'intervenants suivent la valeur exacte.")
                      .arg(QString::fromStdString(exact)),
                  font, kMuted, 3, Mm(1));
    }
    if (RisExactlyOneQuarter(record_)) {
        Paragraph(QStringLiteral("Note : le RIS vaut exactement 0,25. La grille le classe en "
                                 "« Diligence » (RIS ≤ 0,25) ; une note ministérielle du "
                                 "24 mars 2015 lit le référentiel national comme s'appliquant "
                                 "à partir d'un RIS de 0,25 inclus."),
                  font, kMuted, 3, Mm(1));
    }
}

void EvaluationPage::Workers() {
    Heading(QStringLiteral("Intervenants secouristes"));
    const SavedVerdict& verdict = evaluation_.verdict;
    if (!verdict.workers) {
        WarningBox(NoVerdictText(verdict.results));
        return;
    }
    const qreal padding = Mm(2);
    const qreal inner = Width() - 2 * padding;
    // Below the first band no count is given: the rule says so, once.
    const bool leftToAuthority = verdict.workers->rule == WorkerRule::NoDeployment;
    std::vector<std::pair<TextBlock, QColor>> blocks;
    blocks.emplace_back(
        Block(QStringLiteral("Nombre recommandé : ") +
                  (leftToAuthority
                       ? QStringLiteral("laissé à l'appréciation de l'autorité de police")
                       : Figure(WriteWholeNumber(verdict.workers->workers))),
              Font(13, QFont::Bold), inner, 2),
        kInk);
    blocks.emplace_back(
        Block(QStringLiteral("Règle appliquée : ") + Shown(WorkerRuleText(verdict.workers->rule)),
              Font(9), inner, 2),
        kInk);
    const QString composition =
        leftToAuthority ? QString() : Shown(CompositionText(record_.banner));
    if (!composition.isEmpty()) {
        blocks.emplace_back(Block(composition, Font(9), inner, 2), kMuted);
    }
    const QString organisation =
        Shown(CoverOrganisationText(OrganiseCover(record_.banner, verdict.workers->workers)));
    if (!organisation.isEmpty()) {
        blocks.emplace_back(Block(organisation, Font(9), inner, 4), kMuted);
    }
    qreal height = 2 * padding;
    for (const auto& [block, colour] : blocks) {
        height += block.Height() + Mm(0.8);
    }
    canvas_.FillRect(QRectF(left_, y_, Width(), height), kShade);
    qreal y = y_ + padding;
    for (const auto& [block, colour] : blocks) {
        block.Draw(canvas_, {left_ + padding, y}, colour);
        y += block.Height() + Mm(0.8);
    }
    y_ += height;
    if (PapsFallsShort(record_)) {
        y_ += Mm(2);
        WarningBox(
            QStringLiteral("Attention : les secours publics sont à plus de 30 minutes (indicateur "
                           "E2, option 4). Le référentiel national prévoit alors qu'un point "
                           "d'alerte et de premier secours ne suffit pas : un DPS de petite "
                           "envergure (DPS-PE) est le minimum. Le type ci-dessus est celui que "
                           "donne la grille, inchangé."));
    }
    if (placement_ && PapsForActeurs({placement_->audience, placement_->day, record_.banner,
                                      evaluation_.verdict.workers})) {
        y_ += Mm(2);
        WarningBox(QStringLiteral("Attention : cette évaluation couvre les acteurs "
                                  "(participants) et donne un point d'alerte et de premier "
                                  "secours (PAPS). Un PAPS ne peut pas couvrir des "
                                  "participants : le dispositif est à revoir avec "
                                  "l'association de secourisme."));
    }
}

void EvaluationPage::Bands() {
    Heading(QStringLiteral("Types de DPS selon le RIS"));
    const qreal risWidth = Mm(50);
    const QFont small = Font(8);
    Row({{risWidth, {QStringLiteral("RIS"), small}},
         {Width() - risWidth, {QStringLiteral("Type de dispositif"), small}}},
        true);
    for (std::size_t index = 0; index < kRisBands.size(); ++index) {
        const RisBand& band = kRisBands[index];
        const std::string_view type = DpsTypeText(band.type);
        const bool current = band.type == record_.banner;
        const QFont font = Font(9, current ? QFont::Bold : QFont::Normal);
        QString typeText = QString::fromUtf8(type.data(), qsizetype(type.size()));
        if (current) {
            typeText += QStringLiteral("   ◄ cette évaluation");
        }
        Row({{risWidth, {BandText(index), font}}, {Width() - risWidth, {typeText, font}}}, current);
    }
}

} // namespace corvane
