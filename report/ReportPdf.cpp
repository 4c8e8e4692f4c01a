#include "report/ReportPdf.h"

#include "assets/PictureCatalogue.h"
#include "assets/PictureTable.h"
#include "core/CoverOrganisation.h"
#include "core/IndicatorTexts.h"
#include "core/NumberText.h"
#include "core/RecommendedWorkers.h"
#include "core/RisBands.h"
#include "platform/codec/JpegCodec.h"
#include "report/ReportTexts.h"
#include "report/TextBlock.h"

#include <QBuffer>
#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <memory>
#include <vector>

namespace corvane {

namespace {

constexpr int kResolution = 600; // dots per inch of the page's coordinates
constexpr qreal kPageWidthMm = 210;
constexpr qreal kPageHeightMm = 297;
constexpr qreal kSideMarginMm = 15;
constexpr qreal kTopMarginMm = 11;
constexpr qreal kBottomMarginMm = 9;
constexpr qreal kSignatureHeightMm = 32;
constexpr qreal kFooterHeightMm = 6; // the footer and the space above it

const QColor kInk(0x1e, 0x1e, 0x1e);
const QColor kMuted(0x55, 0x55, 0x55);
const QColor kAccent(0x1d, 0x3b, 0x6a);
const QColor kLine(0xa8, 0xae, 0xb8);
const QColor kShade(0xec, 0xf0, 0xf6);
const QColor kWarningInk(0x9a, 0x1b, 0x1b);
const QColor kWarningFill(0xfc, 0xec, 0xea);

struct Cell {
    QString text;
    QFont font;
    int maxLines = 1;
    Qt::Alignment alignment = Qt::AlignLeft;
};

// Draws the page from the top down; the signatures and the footer hold the bottom of the page.
class ReportPainter {
public:
    // The page's upper part is drawn at `scale` (1 or less), laid out in as much wider a
    // measure, so that it still spans the page.
    ReportPainter(QPdfWriter& writer, const OpenedEvaluation& evaluation, qreal scale)
        : writer_(writer), painter_(&writer), evaluation_(evaluation), record_(evaluation.record),
          scale_(scale) {
        painter_.setRenderHint(QPainter::Antialiasing);
        painter_.setRenderHint(QPainter::SmoothPixmapTransform);
    }

    // Draws the page; false when the upper part ran into the bottom of the page, which then
    // needs drawing again at a smaller scale.
    bool Paint() {
        const qreal bottom = Mm(kPageHeightMm - kBottomMarginMm - kFooterHeightMm);
        const qreal signaturesTop = bottom - Mm(kSignatureHeightMm);
        const TextBlock note = Block(
            QStringLiteral("Ce document reprend l'estimation de la grille nationale d'évaluation "
                           "des risques. Elle donne un minimum : le maire ou le préfet peut "
                           "demander un dispositif plus important."),
            Font(8.5, QFont::Normal, true), Mm(kPageWidthMm - 2 * kSideMarginMm), 2);
        const qreal noteTop = signaturesTop - Mm(2.5) - note.Height();

        painter_.scale(scale_, scale_);
        left_ = Mm(kSideMarginMm) / scale_;
        right_ = Mm(kPageWidthMm - kSideMarginMm) / scale_;
        y_ = Mm(kTopMarginMm) / scale_;
        Header();
        Indicators();
        Results();
        Workers();
        Bands();
        const bool fits = y_ * scale_ + Mm(2) <= noteTop;

        painter_.resetTransform();
        left_ = Mm(kSideMarginMm);
        right_ = Mm(kPageWidthMm - kSideMarginMm);
        painter_.setPen(kMuted);
        note.Draw(painter_, {left_, noteTop});
        Signatures(signaturesTop);
        Footer();
        painter_.end();
        return fits;
    }

private:
    qreal Mm(qreal millimetres) const { return millimetres * kResolution / 25.4; }
    qreal Width() const { return right_ - left_; }

    TextBlock Block(const QString& text, const QFont& font, qreal width, int maxLines,
                    Qt::Alignment alignment = Qt::AlignLeft) {
        return TextBlock(text, font, width, maxLines, &writer_, alignment);
    }

    // Draws a text at the current height across the page and moves below it.
    void Paragraph(const QString& text, const QFont& font, const QColor& colour, int maxLines,
                   qreal after) {
        const TextBlock block = Block(text, font, Width(), maxLines);
        painter_.setPen(colour);
        block.Draw(painter_, {left_, y_});
        y_ += block.Height() + after;
    }

    void Rule(const QColor& colour, qreal widthMm) {
        painter_.setPen(QPen(colour, Mm(widthMm)));
        painter_.drawLine(QPointF(left_, y_), QPointF(right_, y_));
    }

    void Heading(const QString& title) {
        y_ += Mm(3);
        Paragraph(title, Font(11, QFont::Bold), kAccent, 1, Mm(0.8));
        Rule(kAccent, 0.3);
        y_ += Mm(1.8);
    }

    // One row of cells of the given widths, each padded, with its top at the current height;
    // moves below it. The row is shaded when asked, and ruled underneath.
    void Row(const std::vector<std::pair<qreal, Cell>>& cells, bool shaded, bool ruled = true) {
        const qreal padding = Mm(1.1);
        std::vector<TextBlock> blocks;
        qreal height = 0;
        for (const auto& [width, cell] : cells) {
            blocks.push_back(
                Block(cell.text, cell.font, width - 2 * padding, cell.maxLines, cell.alignment));
            height = std::max(height, blocks.back().Height());
        }
        height += 2 * padding;
        if (shaded) {
            painter_.fillRect(QRectF(left_, y_, Width(), height), kShade);
        }
        qreal x = left_;
        painter_.setPen(kInk);
        for (std::size_t index = 0; index < cells.size(); ++index) {
            blocks[index].Draw(painter_, {x + padding, y_ + padding});
            x += cells[index].first;
        }
        y_ += height;
        if (ruled) {
            Rule(kLine, 0.2);
        }
    }

    void Header() {
        Paragraph(QStringLiteral("Dispositif prévisionnel de secours (DPS) — grille nationale "
                                 "d'évaluation des risques"),
                  Font(9), kMuted, 1, Mm(1.5));
        const QString name = Shown(record_.name);
        Paragraph(name.isEmpty() ? QStringLiteral("Évaluation sans nom") : name,
                  Font(16, QFont::Bold), kInk, 3, Mm(1));
        if (evaluation_.savedDate.empty()) {
            Paragraph(QStringLiteral("Date d'enregistrement : absente du fichier"),
                      Font(10, QFont::Normal, true), kMuted, 1, Mm(2));
        } else {
            Paragraph(QStringLiteral("Enregistrée le ") + Shown(evaluation_.savedDate), Font(10),
                      kInk, 1, Mm(2));
        }
        Rule(kInk, 0.5);
    }

    void Indicators() {
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
        const auto description = [](const char* const(&texts)[kOptionCount], int choice) {
            return OneParagraph(texts[std::clamp(choice, 1, kOptionCount) - 1]);
        };
        const Line lines[] = {
            {"P2", kP2Title, description(kP2OptionDescriptions, record_.p2Choice),
             record_.p2Coefficient},
            {"E1", kE1Title, description(kE1OptionDescriptions, record_.e1Choice),
             record_.e1Coefficient},
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

    // A label and its value side by side, from x: the label in labelWidth, the value in the rest
    // of width. Returns the height taken.
    qreal LabelValue(qreal x, qreal width, qreal labelWidth, const QString& label,
                     const QString& value, int valueLines) {
        const TextBlock labelBlock = Block(label, Font(9.5), labelWidth - Mm(2), 2);
        const TextBlock valueBlock = Block(value.isEmpty() ? QStringLiteral("—") : value,
                                           Font(9.5, QFont::Bold), width - labelWidth, valueLines);
        painter_.setPen(kMuted);
        labelBlock.Draw(painter_, {x, y_});
        painter_.setPen(kInk);
        valueBlock.Draw(painter_, {x + labelWidth, y_});
        return std::max(labelBlock.Height(), valueBlock.Height());
    }

    void Results() {
        Heading(QStringLiteral("Calcul du RIS"));
        const qreal gap = Mm(6);
        const qreal column = (Width() - gap) / 2;
        const qreal labelWidth = Mm(62);
        const qreal second = left_ + column + gap;
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
                         LabelValue(second, column, labelWidth, rightColumn[row].first,
                                    Figure(rightColumn[row].second), 1));
            y_ += height + Mm(1.2);
        }
        y_ += Mm(0.8);
        const QString typeText = Shown(record_.dpsTypeText);
        y_ +=
            LabelValue(left_, Width(), labelWidth, QStringLiteral("Type de DPS correspondant"),
                       typeText.isEmpty() ? QStringLiteral("aucun dans le fichier") : typeText, 2) +
            Mm(1.5);
        if (const std::optional<QImage> banner = ReportBanner(record_.banner)) {
            const qreal width = Mm(100);
            const qreal height = width * banner->height() / banner->width();
            painter_.drawImage(QRectF(left_ + (Width() - width) / 2, y_, width, height), *banner);
            y_ += height + Mm(1);
        } else if (!typeText.isEmpty()) {
            Paragraph(QStringLiteral("Ce type n'est pas l'un de ceux de la grille nationale : le "
                                     "fichier a sans doute été modifié à la main."),
                      Font(9, QFont::Normal, true), kWarningInk, 2, Mm(1));
        }
    }

    void Workers() {
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
        blocks.emplace_back(Block(QStringLiteral("Règle appliquée : ") +
                                      Shown(WorkerRuleText(verdict.workers->rule)),
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
        painter_.fillRect(QRectF(left_, y_, Width(), height), kShade);
        qreal y = y_ + padding;
        for (const auto& [block, colour] : blocks) {
            painter_.setPen(colour);
            block.Draw(painter_, {left_ + padding, y});
            y += block.Height() + Mm(0.8);
        }
        y_ += height;
        if (PapsFallsShort(record_)) {
            y_ += Mm(2);
            WarningBox(QStringLiteral(
                "Attention : les secours publics sont à plus de 30 minutes (indicateur "
                "E2, option 4). Le référentiel national prévoit alors qu'un point "
                "d'alerte et de premier secours ne suffit pas : un DPS de petite "
                "envergure (DPS-PE) est le minimum. Le type ci-dessus est celui que "
                "donne la grille, inchangé."));
        }
    }

    // A text in bold red in a red box across the page, at the current height.
    void WarningBox(const QString& text) {
        const qreal padding = Mm(2);
        const TextBlock block = Block(text, Font(9.5, QFont::Bold), Width() - 2 * padding, 4);
        const QRectF box(left_, y_, Width(), block.Height() + 2 * padding);
        painter_.fillRect(box, kWarningFill);
        painter_.setPen(QPen(kWarningInk, Mm(0.5)));
        painter_.drawRect(box);
        painter_.setPen(kWarningInk);
        block.Draw(painter_, {left_ + padding, y_ + padding});
        y_ += box.height();
    }

    void Bands() {
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
                typeText += QStringLiteral("   ◀ cette évaluation");
            }
            Row({{risWidth, {BandText(index), font}}, {Width() - risWidth, {typeText, font}}},
                current);
        }
    }

    void Signatures(qreal top) {
        const qreal gap = Mm(8);
        const qreal width = (Width() - gap) / 2;
        const qreal padding = Mm(2.5);
        const QString titles[] = {QStringLiteral("L'organisateur"),
                                  QStringLiteral("L'association de secourisme")};
        const QString fields[] = {QStringLiteral("Nom et qualité :"), QStringLiteral("Date :"),
                                  QStringLiteral("Signature :")};
        qreal x = left_;
        for (const QString& title : titles) {
            const QRectF box(x, top, width, Mm(kSignatureHeightMm));
            painter_.setPen(QPen(kLine, Mm(0.3)));
            painter_.drawRect(box);
            const TextBlock heading = Block(title, Font(10, QFont::Bold), width - 2 * padding, 1);
            painter_.setPen(kInk);
            heading.Draw(painter_, {x + padding, top + padding});
            qreal y = top + padding + heading.Height() + Mm(2);
            painter_.setPen(kMuted);
            for (const QString& field : fields) {
                const TextBlock block = Block(field, Font(8.5), width - 2 * padding, 1);
                block.Draw(painter_, {x + padding, y});
                y += Mm(6.5);
            }
            x += width + gap;
        }
    }

    void Footer() {
        const qreal bottom = Mm(kPageHeightMm - kBottomMarginMm);
        const QFont font = Font(7.5);
        const qreal height = QFontMetricsF(font, &writer_).height();
        const qreal top = bottom - height;
        painter_.setPen(QPen(kLine, Mm(0.2)));
        painter_.drawLine(QPointF(left_, top - Mm(1)), QPointF(right_, top - Mm(1)));
        painter_.setPen(kMuted);
        const TextBlock program =
            Block(QStringLiteral("Établi avec Corvane " CORVANE_VERSION " (corvane-rapport)"), font,
                  Width() / 2, 1);
        program.Draw(painter_, {left_, top});
        const TextBlock page =
            Block(QStringLiteral("Page 1 sur 1"), font, Width() / 2, 1, Qt::AlignRight);
        page.Draw(painter_, {left_ + Width() / 2, top});
    }

    QPdfWriter& writer_;
    QPainter painter_;
    const OpenedEvaluation& evaluation_;
    const EvaluationRecord& record_;
    qreal scale_;
    qreal left_ = 0;
    qreal right_ = 0;
    qreal y_ = 0;
};

} // namespace

std::optional<QImage> ReportBanner(DpsType type) {
    const std::optional<int> number = BannerPicture(type);
    const PictureEntry* entry = number ? FindPicture(*number) : nullptr;
    if (entry == nullptr) {
        return std::nullopt;
    }
    QFile file(PictureCatalogue::BuiltInFolder() + QString::fromStdString(PictureFileName(*entry)));
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return DecodeJpeg(file.readAll());
}

QByteArray RenderReportPdf(const OpenedEvaluation& evaluation) {
    // Every text of the page is bounded, and the longest of them all fit at once; should they
    // ever not, the upper part is drawn again a little smaller rather than over the signatures.
    constexpr qreal kScaleStep = 0.94;
    constexpr int kMaxAttempts = 8;
    QByteArray pdf;
    qreal scale = 1;
    for (int attempt = 1;; ++attempt) {
        pdf.clear();
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        writer.setResolution(kResolution);
        writer.setTitle(QStringLiteral("Évaluation des risques : ") +
                        Shown(evaluation.record.name));
        writer.setCreator(QStringLiteral("Corvane " CORVANE_VERSION));
        if (ReportPainter(writer, evaluation, scale).Paint() || attempt == kMaxAttempts) {
            break;
        }
        scale *= kScaleStep;
    }
    return pdf;
}

} // namespace corvane
