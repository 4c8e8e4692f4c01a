#include "report/DossierFirstPage.h"

#include "core/DossierSummary.h"
#include "core/ExactRis.h"
#include "core/FrenchDate.h"
#include "core/NumberText.h"
#include "report/ReportTexts.h"

namespace corvane {

namespace {

DossierLine LineOf(const DossierEvaluation& entry) {
    return {entry.audience, entry.day, entry.evaluation.record.banner,
            entry.evaluation.verdict.workers};
}

QString NameOf(const DossierEvaluation& entry) {
    const QString name = Shown(entry.evaluation.record.name);
    return name.isEmpty() ? QStringLiteral("Évaluation sans nom") : name;
}

QString Quoted(const QString& text) {
    return QStringLiteral("« ") + text + QStringLiteral(" »");
}

QString DayCell(const std::optional<CalendarDate>& day) {
    return day ? QString::fromStdString(NumericDate(*day)) : QStringLiteral("—");
}

QString WorkersCell(const DossierEvaluation& entry) {
    const std::optional<WorkerCount>& workers = entry.evaluation.verdict.workers;
    if (!workers) {
        return QStringLiteral("?");
    }
    return workers->rule == WorkerRule::NoDeployment ? QStringLiteral("—")
                                                     : Figure(WriteWholeNumber(workers->workers));
}

QString PostsCell(const DossierEvaluation& entry) {
    const DossierLine line = LineOf(entry);
    if (!line.workers) {
        return QStringLiteral("?");
    }
    if (line.type == DpsType::Paps) {
        return QStringLiteral("binôme");
    }
    const std::int64_t posts = PostsOf(line);
    return posts == 0 ? QStringLiteral("—") : Figure(WriteWholeNumber(posts));
}

QString RisCell(const DossierEvaluation& entry) {
    const EvaluationRecord& record = entry.evaluation.record;
    const std::string exact = entry.evaluation.verdict.workers ? RisAboveBoundText(record) : "";
    return Figure(record.risText) +
           (exact.empty() ? QString() : QStringLiteral(" (%1)").arg(QString::fromStdString(exact)));
}

QString TypeCell(const EvaluationRecord& record) {
    const std::string_view type = DpsTypeShortText(record.banner);
    return type.empty() ? Shown(record.dpsTypeText) : Shown(type);
}

QString Plural(std::int64_t count, const char* one, const char* many) {
    return Figure(WriteWholeNumber(count)) + u' ' + QString::fromUtf8(count == 1 ? one : many);
}

} // namespace

DossierFirstPage::DossierFirstPage(PdfCanvas& canvas, const EventDetails& details,
                                   const std::vector<DossierEvaluation>& evaluations,
                                   PageNumber number, qreal scale)
    : PagePainter(canvas), details_(details), evaluations_(evaluations), number_(number),
      scale_(scale) {}

bool DossierFirstPage::Paint() {
    const qreal bottom = Mm(kPageHeightMm - kBottomMarginMm - kFooterHeightMm);
    const qreal signaturesTop = bottom - Mm(kSignatureHeightMm);
    canvas_.Save();
    canvas_.Scale(scale_);
    SpanThePage(scale_);
    y_ = Mm(kTopMarginMm) / scale_;
    Event();
    People();
    Table();
    LargestCover();
    Warnings();
    const bool fits = y_ * scale_ + Mm(3) <= signaturesTop;
    canvas_.Restore();
    SpanThePage(1);
    Signatures(signaturesTop);
    Footer(Shown(details_.name), number_);
    return fits;
}

void DossierFirstPage::Event() {
    Paragraph(QStringLiteral("Dossier de déclaration — dispositif prévisionnel de secours (DPS)"),
              Font(9), kMuted, 1, Mm(1.5));
    Paragraph(Shown(details_.name), Font(16, QFont::Bold), kInk, 2, Mm(1));
    Paragraph(Shown(details_.place), Font(10.5), kInk, 2, Mm(0.8));
    QString period = Shown(EventPeriodText(details_));
    period[0] = period[0].toUpper();
    Paragraph(period, Font(10.5, QFont::Bold), kAccent, 2, Mm(2));
    Rule(kInk, 0.5);
}

void DossierFirstPage::People() {
    Heading(QStringLiteral("Organisateur et association de secourisme"));
    const qreal gap = Mm(6);
    const qreal column = (Width() - gap) / 2;
    const qreal labelWidth = Mm(30);
    const qreal second = left_ + column + gap;
    const std::pair<QString, const std::string&> organiser[] = {
        {QStringLiteral("Organisateur"), details_.organiser},
        {QStringLiteral("Qualité"), details_.organiserQuality},
        {QStringLiteral("Téléphone"), details_.organiserPhone},
        {QStringLiteral("Courriel"), details_.organiserEmail},
    };
    const std::pair<QString, const std::string&> association[] = {
        {QStringLiteral("Association"), details_.association},
        {QStringLiteral("N° d'agrément"), details_.approval},
        {QStringLiteral("Téléphone"), details_.associationPhone},
        {QString(), details_.associationPhone}, // no fourth line
    };
    for (std::size_t row = 0; row < 4; ++row) {
        qreal height = LabelValue(left_, column, labelWidth, organiser[row].first,
                                  Shown(organiser[row].second), 2);
        if (!association[row].first.isEmpty()) {
            height = std::max(height, LabelValue(second, column, labelWidth, association[row].first,
                                                 Shown(association[row].second), 2));
        }
        y_ += height + Mm(1);
    }
    if (const QString remark = Shown(details_.remark); !remark.trimmed().isEmpty()) {
        y_ += Mm(1);
        Paragraph(QStringLiteral("Remarque : ") + remark, Font(9.5), kInk, 4, Mm(0.5));
    }
}

void DossierFirstPage::Table() {
    Heading(QStringLiteral("Évaluations du dossier"));
    struct Column {
        const char* title;
        qreal widthMm;
        Qt::Alignment alignment;
    };
    const Column columns[] = {
        {"Jour", 19, Qt::AlignLeft},   {"Évaluation", 0, Qt::AlignLeft},
        {"Couvre", 15, Qt::AlignLeft}, {"P1", 18, Qt::AlignRight},
        {"P", 18, Qt::AlignRight},     {"i", 10, Qt::AlignRight},
        {"RIS", 18, Qt::AlignRight},   {"Type", 17, Qt::AlignLeft},
        {"IS", 10, Qt::AlignRight},    {"Postes", 13, Qt::AlignRight},
    };
    qreal fixed = 0;
    for (const Column& column : columns) {
        fixed += Mm(column.widthMm);
    }
    const auto width = [&](const Column& column) {
        return column.widthMm == 0 ? Width() - fixed : Mm(column.widthMm);
    };
    std::vector<std::pair<qreal, Cell>> heading;
    for (const Column& column : columns) {
        heading.push_back(
            {width(column), {QString::fromUtf8(column.title), Font(8), 1, column.alignment}});
    }
    Row(heading, true);
    const std::size_t shown = std::min(evaluations_.size(), kMaxTableRows);
    for (std::size_t index = 0; index < shown; ++index) {
        const DossierEvaluation& entry = evaluations_[index];
        const EvaluationRecord& record = entry.evaluation.record;
        const QString texts[] = {
            DayCell(entry.day),
            NameOf(entry),
            entry.audience == Audience::Acteurs ? QStringLiteral("acteurs")
                                                : QStringLiteral("public"),
            Figure(record.p1Text),
            Figure(record.pText),
            Figure(record.riskIndexText),
            RisCell(entry),
            TypeCell(record),
            WorkersCell(entry),
            PostsCell(entry),
        };
        std::vector<std::pair<qreal, Cell>> cells;
        for (std::size_t column = 0; column < std::size(columns); ++column) {
            cells.push_back(
                {width(columns[column]), {texts[column], Font(8.5), 2, columns[column].alignment}});
        }
        Row(cells, false);
    }
    if (evaluations_.size() > shown) {
        y_ += Mm(1);
        Paragraph(QStringLiteral("… et %1 autres évaluations, chacune sur sa page.")
                      .arg(evaluations_.size() - shown),
                  Font(9, QFont::Normal), kMuted, 1, 0);
    }
}

void DossierFirstPage::LargestCover() {
    Heading(QStringLiteral("Dispositif le plus important en même temps"));
    std::vector<DossierLine> lines;
    for (const DossierEvaluation& entry : evaluations_) {
        lines.push_back(LineOf(entry));
    }
    const std::optional<CoverAtOnce> largest = LargestCoverAtOnce(lines);
    QString text;
    if (!largest) {
        text = QStringLiteral("Aucune évaluation ne demande d'intervenant secouriste : la "
                              "couverture est laissée à l'appréciation de l'autorité de police.");
    } else {
        QStringList names;
        for (const std::size_t index : largest->lines) {
            names << Quoted(NameOf(evaluations_[index]));
        }
        text = (largest->day ? QStringLiteral("Le %1 : ")
                                   .arg(QString::fromStdString(FrenchRunningDate(*largest->day)))
                             : QString()) +
               Plural(largest->workers, "intervenant secouriste", "intervenants secouristes");
        if (largest->posts > 0) {
            text += QStringLiteral(", ") +
                    Plural(largest->posts, "poste de secours", "postes de secours");
        }
        text += QStringLiteral(" (") + names.join(QStringLiteral(", ")) + QStringLiteral(").");
    }
    const qreal padding = Mm(2);
    const TextBlock block = Block(text, Font(10, QFont::Bold), Width() - 2 * padding, 3);
    canvas_.FillRect(QRectF(left_, y_, Width(), block.Height() + 2 * padding), kShade);
    block.Draw(canvas_, {left_ + padding, y_ + padding}, kInk);
    y_ += block.Height() + 2 * padding + Mm(1);
    Paragraph(QStringLiteral("Les évaluations d'un même jour sont comptées ensemble ; une "
                             "évaluation sans jour compte seule. Chaque nombre est un minimum : "
                             "l'autorité de police peut demander davantage."),
              Font(8.5, QFont::Normal), kMuted, 2, 0);
}

void DossierFirstPage::Warnings() {
    QStringList warnings;
    for (const DossierEvaluation& entry : evaluations_) {
        const QString name = Quoted(NameOf(entry));
        if (PapsForActeurs(LineOf(entry))) {
            warnings << name + QStringLiteral(" couvre les acteurs avec un point d'alerte et de "
                                              "premier secours (PAPS) : un PAPS ne peut pas "
                                              "couvrir des participants.");
        }
        if (!entry.evaluation.verdict.workers) {
            warnings << name + QStringLiteral(" : ses résultats enregistrés ne se suivent pas ; "
                                              "aucun nombre n'est donné (voir sa page).");
        }
    }
    if (warnings.isEmpty()) {
        return;
    }
    y_ += Mm(3);
    constexpr qsizetype kMaxWarnings = 6;
    if (warnings.size() > kMaxWarnings) {
        const qsizetype more = warnings.size() - kMaxWarnings + 1;
        warnings.resize(kMaxWarnings - 1);
        warnings << QStringLiteral("… et %1 autres avertissements, sur les pages des évaluations.")
                        .arg(more);
    }
    for (const QString& warning : warnings) {
        WarningBox(QStringLiteral("Attention : ") + warning);
        y_ += Mm(1);
    }
}

} // namespace corvane
