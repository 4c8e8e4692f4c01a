#include "report/ReportPdf.h"

#include "assets/PictureTable.h"
#include "core/EvaluationFile.h"
#include "core/Indicator.h"
#include "core/NumberText.h"
#include "core/RecommendedWorkers.h"
#include "core/RiskGrid.h"
#include "tests/support/FileContent.h"

#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

using namespace corvane;

namespace {

// The file the program saves for these choices and this declared public.
QByteArray SavedFile(int p2, int e1, int e2, const char* p1) {
    RiskGrid grid;
    grid.ChooseOption(Indicator::P2, p2);
    grid.ChooseOption(Indicator::E1, e1);
    grid.ChooseOption(Indicator::E2, e2);
    grid.EditP1(p1);
    return QByteArray::fromStdString(
        EncodeEvaluationFile(grid.Record(), {{2026, 3, 14}, 9, 30, 0}));
}

// The file with the value of a key changed by hand, or its line taken out when value is null.
QByteArray Edited(QByteArray file, const char* key, const char* value) {
    // Byte for byte: the byte-order mark and the UTF-8 values stay as they are.
    const QString name = QString::fromLatin1(key);
    const QRegularExpression line(QStringLiteral("^%1 = [^\r]*\r\n").arg(name),
                                  QRegularExpression::MultilineOption);
    const QString replacement =
        value == nullptr ? QString()
                         : QStringLiteral("%1 = %2\r\n").arg(name, QString::fromLatin1(value));
    return QString::fromLatin1(file).replace(line, replacement).toLatin1();
}

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return QStringLiteral("<%1 failed>").arg(program);
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

struct Word {
    QRectF box;
    QString text;
};

struct Rendered {
    QString text; // as pdftotext -layout lays it out
    QRectF page;
    std::vector<Word> words;
    int pages = 0;
    int images = 0;
};

Rendered RenderPdf(const QTemporaryDir& dir, const OpenedEvaluation& evaluation) {
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    WriteAll(pdf, RenderReportPdf(evaluation));
    Rendered rendered;
    rendered.text = Run(QStringLiteral("/usr/bin/pdftotext"), {"-layout", pdf, "-"});
    rendered.pages = int(rendered.text.count(u'\f'));
    // Two heading lines, then one line per image.
    const QStringList images =
        Run(QStringLiteral("/usr/bin/pdfimages"), {"-list", pdf}).split(u'\n', Qt::SkipEmptyParts);
    rendered.images = int(images.size()) - 2;

    const QString boxes = Run(QStringLiteral("/usr/bin/pdftotext"), {"-bbox", pdf, "-"});
    const QRegularExpression page(QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\""));
    const QRegularExpressionMatch size = page.match(boxes);
    rendered.page = QRectF(0, 0, size.captured(1).toDouble(), size.captured(2).toDouble());
    const QRegularExpression word(QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" "
                                                 "xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)<"));
    for (const QRegularExpressionMatch& match : word.globalMatch(boxes)) {
        const QPointF topLeft(match.captured(1).toDouble(), match.captured(2).toDouble());
        const QPointF bottomRight(match.captured(3).toDouble(), match.captured(4).toDouble());
        rendered.words.push_back({QRectF(topLeft, bottomRight), match.captured(5)});
    }
    return rendered;
}

// The first line holding `part`, or an empty one.
QString LineWith(const QString& text, const QString& part) {
    for (const QString& line : text.split(u'\n')) {
        if (line.contains(part)) {
            return line.trimmed();
        }
    }
    return {};
}

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// Every digit of a whole number held by a double.
QString AllDigits(double value) {
    char digits[400];
    const auto result =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 0);
    return QString::fromLatin1(digits, result.ptr - digits);
}

float Above(float value) {
    return std::nextafter(value, std::numeric_limits<float>::infinity());
}

const QString kLongName = QStringLiteral(
    "Grande fete populaire de la Saint-Jean avec feu d'artifice concert en plein air marche "
    "artisanal defile de chars fleuris et bal des pompiers sur la place de la mairie et les "
    "berges de la riviere pendant trois jours de juin");

} // namespace

class TestReportPdf : public QObject {
    Q_OBJECT

private slots:
    void reportHoldsTheStoredFigures_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("papsWarning");

        const QByteArray ordinary = SavedFile(2, 1, 3, "2500");
        QTest::newRow("ordinary") << "Fête du village" << ordinary << false;
        QTest::newRow("nobody expected") << "Vide" << SavedFile(1, 1, 1, "0") << false;
        QTest::newRow("medium") << "Salon" << SavedFile(3, 2, 2, "30000") << false;
        QTest::newRow("over a hundred thousand")
            << "Festival" << SavedFile(4, 4, 4, "2500000") << false;
        QTest::newRow("alert post, rescue far away")
            << "Randonnée" << SavedFile(1, 1, 4, "1000") << true;
        QTest::newRow("alert post, rescue near")
            << "Kermesse" << SavedFile(1, 1, 3, "1000") << false;
        QTest::newRow("small deployment, rescue far away")
            << "Trail" << SavedFile(2, 3, 4, "3000") << false;
        // The most the page has to hold: a name on three lines, the longest descriptions and the
        // warning.
        QTest::newRow("very long name, alert post, rescue far away")
            << kLongName << SavedFile(4, 4, 4, "900") << true;

        QByteArray damaged = Edited(ordinary, "P2", "OptP2_9");
        damaged = Edited(damaged, "E1", "opte1_2");
        damaged = Edited(damaged, "E2", "OptE2_4");
        damaged = Edited(damaged, "RIS", "NaN");
        damaged = Edited(damaged, "Type", "Type inventé");
        damaged = Edited(damaged, "Date", nullptr);
        QTest::newRow("damaged, not a number") << "Abimé" << damaged << false;
        QTest::newRow("alert post with an infinite RIS")
            << "Infini"
            << Edited(Edited(SavedFile(1, 1, 4, "1000"), "RIS", "1e39"), "Date", nullptr) << true;
        QTest::newRow("largest finite RIS")
            << "Immense" << Edited(SavedFile(4, 4, 1, "900000"), "RIS", "3.4028235e38") << false;
        QTest::newRow("huge stored texts")
            << "Énorme"
            << Edited(Edited(Edited(ordinary, "P1", QByteArray(5000, '9').constData()), "Type",
                             QByteArray(4000, 'T').constData()),
                      "Date", QByteArray(3000, 'D').constData())
            << false;
    }

    void reportHoldsTheStoredFigures() {
        QFETCH(QString, name);
        QFETCH(QByteArray, file);
        QFETCH(bool, papsWarning);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(name + QStringLiteral(".ini"));
        WriteAll(path, file);
        const OpeningResult opening = OpenEvaluationFile(path.toStdString());
        QVERIFY(opening.evaluation.has_value());
        const OpenedEvaluation& evaluation = *opening.evaluation;
        const EvaluationRecord& record = evaluation.record;

        const Rendered rendered = RenderPdf(dir, evaluation);
        const QString& text = rendered.text;
        const QString flowing = text.simplified();
        QCOMPARE(rendered.pages, 1);
        QVERIFY2(flowing.contains(QStringLiteral("Corvane " CORVANE_VERSION)), qPrintable(text));
        QVERIFY(flowing.contains(QStringLiteral("L'organisateur")));
        // Every word on the page, none over another; touching edges do not count.
        QVERIFY(rendered.words.size() > 100);
        for (std::size_t index = 0; index < rendered.words.size(); ++index) {
            const Word& word = rendered.words[index];
            QVERIFY2(rendered.page.contains(word.box), qPrintable(word.text));
            for (std::size_t other = index + 1; other < rendered.words.size(); ++other) {
                const QRectF common = word.box.intersected(rendered.words[other].box);
                QVERIFY2(
                    common.width() < 0.5 || common.height() < 0.5,
                    qPrintable(word.text + QStringLiteral(" / ") + rendered.words[other].text));
            }
        }
        QVERIFY(flowing.contains(QStringLiteral("L'association de secourisme")));

        // The name, whole or cut short with an ellipsis.
        QVERIFY(flowing.contains(name.left(40)));
        if (!flowing.contains(name)) {
            QVERIFY(flowing.contains(u'\u2026'));
        }
        if (evaluation.savedDate.empty()) {
            QVERIFY(flowing.contains(QStringLiteral("Date d'enregistrement : absente")));
        } else {
            QVERIFY(flowing.contains(QStringLiteral("Enregistrée le ") +
                                     Text(evaluation.savedDate).left(40)));
        }

        // Each indicator's row ends with the coefficient of its option as opened.
        const std::pair<const char*, int> indicators[] = {
            {"P2", record.p2Choice}, {"E1", record.e1Choice}, {"E2", record.e2Choice}};
        for (const auto& [code, choice] : indicators) {
            const QString row = LineWith(text, QString::fromLatin1(code) + u' ');
            QVERIFY2(row.endsWith(u' ' + Text(CoefficientText(choice))), qPrintable(row));
            QVERIFY2(row.contains(QStringLiteral("Option %1 ").arg(choice)), qPrintable(row));
        }

        // The stored results, each beside its label.
        const std::pair<const char*, const std::string&> results[] = {{"(P1)", record.p1Text},
                                                                      {"(P)", record.pText},
                                                                      {"(i)", record.riskIndexText},
                                                                      {"(RIS)", record.risText}};
        for (const auto& [label, stored] : results) {
            const QString row = LineWith(text, QString::fromLatin1(label));
            const QString value = Text(stored).left(10);
            QVERIFY2(row.contains(QRegularExpression(QRegularExpression::escape(label) +
                                                     QStringLiteral("\\s+") +
                                                     QRegularExpression::escape(value))),
                     qPrintable(row + QStringLiteral(" / ") + value));
        }
        QVERIFY(LineWith(text, QStringLiteral("Type de DPS correspondant"))
                    .contains(Text(record.dpsTypeText).left(30)));
        QCOMPARE(rendered.images, BannerPicture(record.banner) ? 1 : 0);

        const std::optional<WorkerCount> workers =
            RecommendedWorkers(ReadDecimalText(record.risText));
        const QString count = LineWith(text, QStringLiteral("Nombre recommandé"));
        if (workers) {
            QVERIFY2(count.endsWith(QStringLiteral(": ") + AllDigits(workers->workers)),
                     qPrintable(count));
        } else {
            QVERIFY(count.isEmpty());
            QVERIFY(flowing.contains(QStringLiteral("Aucun nombre d'intervenants")));
        }

        QCOMPARE(flowing.contains(QStringLiteral("un DPS de petite envergure (DPS-PE) est le "
                                                 "minimum")),
                 papsWarning);
    }

    void bandsFollowTheGrid() {
        float lower = 0;
        for (std::size_t index = 0; index < kRisBands.size(); ++index) {
            const RisBand& band = kRisBands[index];
            QCOMPARE(RiskGrid::ClassifyRis(Above(lower)), band.type);
            if (band.upTo.empty()) {
                QCOMPARE(index + 1, kRisBands.size());
                QCOMPARE(RiskGrid::ClassifyRis(std::numeric_limits<float>::max()), band.type);
                break;
            }
            const float upTo = ReadDecimalText(band.upTo);
            QCOMPARE(RiskGrid::ClassifyRis(upTo), band.type);
            QVERIFY(RiskGrid::ClassifyRis(Above(upTo)) != band.type);
            lower = upTo;
        }
    }

    void reportPrintsTheBands() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("Bandes.ini"));
        WriteAll(path, SavedFile(1, 1, 1, "100"));
        const OpeningResult opening = OpenEvaluationFile(path.toStdString());
        QVERIFY(opening.evaluation.has_value());
        const QString text = RenderPdf(dir, *opening.evaluation).text;
        for (std::size_t index = 0; index < kRisBands.size(); ++index) {
            const QString type = Text(DpsTypeText(kRisBands[index].type));
            QString row;
            for (const QString& line : text.split(u'\n')) {
                if (line.contains(type) && line.contains(QStringLiteral("RIS "))) {
                    row = line;
                }
            }
            QVERIFY2(!row.isEmpty(), qPrintable(type));
            // The band's bounds, each as a number of its own.
            for (std::size_t bound = std::max<std::size_t>(index, 1) - 1; bound <= index; ++bound) {
                const QString number = Text(kRisBands[bound].upTo);
                QVERIFY2(number.isEmpty() || row.contains(QRegularExpression(
                                                 QStringLiteral("(^|\\s)%1\\s")
                                                     .arg(QRegularExpression::escape(number)))),
                         qPrintable(row));
            }
        }
    }

    void bannersAreTheGridPagesPictures() {
        for (const DpsBanner& banner : kDpsBanners) {
            const std::optional<QImage> image = ReportBanner(banner.type);
            QVERIFY(image.has_value());
            const PictureEntry* entry = FindPicture(banner.picture);
            QVERIFY(entry != nullptr);
            QCOMPARE(image->size(), QSize(entry->width, entry->height));
        }
        QVERIFY(!ReportBanner(DpsType::NoType).has_value());
    }
};

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    TestReportPdf test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_report_pdf.moc"
