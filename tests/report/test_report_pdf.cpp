#include "report/ReportPdf.h"

#include "report/DossierPdf.h"

#include "assets/PictureTable.h"
#include "core/EvaluationFile.h"
#include "core/Indicator.h"
#include "core/NumberText.h"
#include "core/RisBands.h"
#include "core/RiskGrid.h"
#include "tests/support/FileContent.h"
#include "tests/support/HostPrograms.h"

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

Rendered RenderPdf(const QTemporaryDir& dir, const QByteArray& bytes) {
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    WriteAll(pdf, bytes);
    Rendered rendered;
    rendered.text = Run(HostProgram("pdftotext"), {"-layout", pdf, "-"});
    rendered.pages = int(rendered.text.count(u'\f'));
    // Two heading lines, then one line per image.
    const QStringList images =
        Run(HostProgram("pdfimages"), {"-list", pdf}).split(u'\n', Qt::SkipEmptyParts);
    rendered.images = int(images.size()) - 2;

    const QString boxes = Run(HostProgram("pdftotext"), {"-bbox", pdf, "-"});
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
        // As the page writes them: the three coefficients, then P1, P, the index and the RIS.
        QTest::addColumn<QStringList>("figures");
        // The recommended number of workers, or the start of the note that says why there is none.
        QTest::addColumn<QString>("workers");
        QTest::addColumn<bool>("papsWarning");

        const QString disagree = QStringLiteral("Les chiffres enregistrés ne concordent pas : ");
        const QByteArray ordinary = SavedFile(2, 1, 3, "2500");
        QTest::newRow("ordinary") << "Fête du village" << ordinary
                                  << QStringList{"0,30",  "0,25", "0,35", "2 500",
                                                 "2 500", "0,90", "2,250"}
                                  << "4" << false;
        QTest::newRow("nobody expected")
            << "Vide" << SavedFile(1, 1, 1, "0")
            << QStringList{"0,25", "0,25", "0,25", "0", "0", "0,75", "0,000"}
            << "L'évaluation ne contient pas d'effectif (P1)." << false;
        QTest::newRow("left to the authority")
            << "Kermesse" << SavedFile(1, 1, 1, "300")
            << QStringList{"0,25", "0,25", "0,25", "300", "300", "0,75", "0,225"}
            << "laissé à l'appréciation de l'autorité de police" << false;
        QTest::newRow("medium") << "Salon" << SavedFile(3, 2, 2, "30000")
                                << QStringList{"0,35",   "0,30", "0,30",  "30 000",
                                               "30 000", "0,95", "28,500"}
                                << "30" << false;
        QTest::newRow("over a hundred thousand")
            << "Festival" << SavedFile(4, 4, 4, "2500000")
            << QStringList{"0,40", "0,40", "0,40", "2 500 000", "1 300 000", "1,20", "1 560,000"}
            << "1 560" << false;
        QTest::newRow("alert post, rescue far away")
            << "Randonnée" << SavedFile(1, 1, 4, "1000")
            << QStringList{"0,25", "0,25", "0,40", "1 000", "1 000", "0,90", "0,900"} << "2"
            << true;
        QTest::newRow("alert post, rescue near")
            << "Kermesse" << SavedFile(1, 1, 3, "1000")
            << QStringList{"0,25", "0,25", "0,35", "1 000", "1 000", "0,85", "0,850"} << "2"
            << false;
        QTest::newRow("small deployment, rescue far away")
            << "Trail" << SavedFile(2, 3, 4, "3000")
            << QStringList{"0,30", "0,35", "0,40", "3 000", "3 000", "1,05", "3,150"} << "4"
            << false;
        // The most the page has to hold: a name on three lines, the longest descriptions and the
        // warning.
        QTest::newRow("very long name, alert post, rescue far away")
            << kLongName << SavedFile(4, 4, 4, "900")
            << QStringList{"0,40", "0,40", "0,40", "900", "900", "1,20", "1,080"} << "2" << true;

        QByteArray damaged = Edited(ordinary, "P2", "OptP2_9");
        damaged = Edited(damaged, "E1", "opte1_2");
        damaged = Edited(damaged, "E2", "OptE2_4");
        damaged = Edited(damaged, "RIS", "NaN");
        damaged = Edited(damaged, "Type", "Type inventé");
        damaged = Edited(damaged, "Date", nullptr);
        QTest::newRow("damaged, not a number")
            << "Abimé" << damaged
            << QStringList{"0,25", "0,25", "0,40", "2 500", "2 500", "0,90", "NaN"}
            << disagree + "le RIS n'est pas celui que donnent l'indice et P." << false;
        QTest::newRow("alert post with an infinite RIS")
            << "Infini"
            << Edited(Edited(SavedFile(1, 1, 4, "1000"), "RIS", "1e39"), "Date", nullptr)
            << QStringList{"0,25", "0,25", "0,40", "1 000", "1 000", "0,90", "1e39"}
            << disagree + "le RIS n'est pas celui que donnent l'indice et P." << false;
        QTest::newRow("largest finite RIS")
            << "Immense" << Edited(SavedFile(4, 4, 1, "900000"), "RIS", "3.4028235e38")
            << QStringList{"0,40", "0,40", "0,25", "900 000", "500 000", "1,05", "3.4028235e38"}
            << disagree + "le RIS n'est pas celui que donnent l'indice et P." << false;
        QTest::newRow("type of another band")
            << "Autre type" << Edited(ordinary, "Type", "Point d'alerte et de premier secours")
            << QStringList{"0,30", "0,25", "0,35", "2 500", "2 500", "0,90", "2,250"}
            << disagree + "le type de DPS n'est pas celui que donne le RIS." << false;
        QTest::newRow("huge stored texts")
            << "Énorme"
            << Edited(Edited(Edited(ordinary, "P1", QByteArray(5000, '9').constData()), "Type",
                             QByteArray(4000, 'T').constData()),
                      "Date", QByteArray(3000, 'D').constData())
            << QStringList{"0,30", "0,25", "0,35", "99 999 999", "2 500", "0,90", "2,250"}
            << disagree + "l'effectif pris en compte (P) n'est pas celui que donne P1." << false;
    }

    void reportHoldsTheStoredFigures() {
        QFETCH(QString, name);
        QFETCH(QByteArray, file);
        QFETCH(QStringList, figures);
        QFETCH(QString, workers);
        QFETCH(bool, papsWarning);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(name + QStringLiteral(".ini"));
        WriteAll(path, file);
        const OpeningResult opening = OpenEvaluationFile(path.toStdString());
        QVERIFY(opening.evaluation.has_value());
        const OpenedEvaluation& evaluation = *opening.evaluation;
        const EvaluationRecord& record = evaluation.record;

        if (HostProgram("pdftotext").isEmpty()) {
            QSKIP("No pdftotext here to read the PDF with.");
        }
        const Rendered rendered = RenderPdf(dir, RenderReportPdf(evaluation));
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
            // The program's own stamp in running French, any other text as it stands.
            const QString saved = Text(evaluation.savedDate) == "Samedi 14 Mars 2026 à 09:30:00"
                                      ? "samedi 14 mars 2026 à 09:30"
                                      : Text(evaluation.savedDate).left(40);
            QVERIFY2(flowing.contains(QStringLiteral("Enregistrée le ") + saved),
                     qPrintable(flowing));
        }

        // Each indicator's row ends with the coefficient of its option as opened.
        const std::pair<const char*, int> indicators[] = {
            {"P2", record.p2Choice}, {"E1", record.e1Choice}, {"E2", record.e2Choice}};
        for (std::size_t index = 0; index < 3; ++index) {
            const auto& [code, choice] = indicators[index];
            const QString row = LineWith(text, QString::fromLatin1(code) + u' ');
            QVERIFY2(row.endsWith(u' ' + figures[qsizetype(index)]), qPrintable(row));
            QVERIFY2(row.contains(QStringLiteral("Option %1 ").arg(choice)), qPrintable(row));
        }

        // The stored results, each beside its label. The page groups thousands with a narrow
        // no-break space, which pdftotext gives as a space.
        const bool grouped = std::any_of(figures.begin(), figures.end(), [](const QString& figure) {
            return figure.contains(u' ');
        });
        QCOMPARE(ReadAll(dir.filePath(QStringLiteral("report.pdf"))).contains("<202F>"), grouped);
        const char* const labels[] = {"(P1)", "(P)", "(i)", "(RIS)"};
        for (std::size_t index = 0; index < 4; ++index) {
            const QString label = QString::fromLatin1(labels[index]);
            const QString row = LineWith(text, label);
            const QString value = figures[qsizetype(index) + 3];
            QVERIFY2(row.contains(QRegularExpression(QRegularExpression::escape(label) +
                                                     QStringLiteral("\\s+") +
                                                     QRegularExpression::escape(value))),
                     qPrintable(row + QStringLiteral(" / ") + value));
        }
        QVERIFY(LineWith(text, QStringLiteral("Type de DPS correspondant"))
                    .contains(Text(record.dpsTypeText).left(30)));
        QCOMPARE(rendered.images, record.banner == DpsType::NoType ? 0 : 1);

        const QString count = LineWith(text, QStringLiteral("Nombre recommandé"));
        if (workers.at(0).isDigit()) {
            QCOMPARE(count, QStringLiteral("Nombre recommandé : ") + workers);
            QVERIFY(!flowing.contains(QStringLiteral("Aucun nombre d'intervenants")));
            QVERIFY(flowing.contains(QStringLiteral("Organisation minimale : ")));
        } else if (workers.startsWith(QStringLiteral("laissé"))) {
            QCOMPARE(count, QStringLiteral("Nombre recommandé : ") + workers);
            QCOMPARE(flowing.count(QStringLiteral("diligence")), 1);
            QVERIFY(!flowing.contains(QStringLiteral("Organisation minimale")));
        } else {
            QVERIFY(count.isEmpty());
            QVERIFY2(flowing.contains(workers + QStringLiteral(" Aucun nombre d'intervenants "
                                                               "n'est donné : ouvrez "
                                                               "l'évaluation dans Corvane et "
                                                               "enregistrez-la de nouveau.")),
                     qPrintable(flowing));
            QVERIFY(!flowing.contains(QStringLiteral("diligence")));
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
            if (band.upToText.empty()) {
                QCOMPARE(index + 1, kRisBands.size());
                QCOMPARE(RiskGrid::ClassifyRis(std::numeric_limits<float>::max()), band.type);
                break;
            }
            const float upTo = ReadDecimalText(band.upToText);
            QCOMPARE(RiskGrid::ClassifyRis(upTo), band.type);
            QVERIFY(RiskGrid::ClassifyRis(Above(upTo)) != band.type);
            lower = upTo;
        }
    }

    // Each band as its banner writes it, beside its type.
    void reportPrintsTheBands() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("Bandes.ini"));
        WriteAll(path, SavedFile(1, 1, 1, "100"));
        const OpeningResult opening = OpenEvaluationFile(path.toStdString());
        QVERIFY(opening.evaluation.has_value());
        if (HostProgram("pdftotext").isEmpty()) {
            QSKIP("No pdftotext here to read the PDF with.");
        }
        const QString text = RenderPdf(dir, RenderReportPdf(*opening.evaluation)).text;
        const std::pair<QString, QString> bands[] = {
            {"RIS ≤ 0,25", "Diligence de l'autorité de police compétente ◄ cette évaluation"},
            {"0,25 < RIS ≤ 1,125", "Point d'alerte et de premier secours"},
            {"1,125 < RIS ≤ 12", "DPS de petite envergure (DPS-PE)"},
            {"12 < RIS ≤ 36", "DPS de moyenne envergure (DPS-ME)"},
            {"RIS > 36", "DPS de grande envergure (DPS-GE)"},
        };
        for (const auto& [band, type] : bands) {
            const QRegularExpression row(
                QStringLiteral("^\\s*%1\\s+%2$")
                    .arg(QRegularExpression::escape(band), QRegularExpression::escape(type)),
                QRegularExpression::MultilineOption);
            QVERIFY2(row.match(text).hasMatch(), qPrintable(band));
        }
    }

    // A dossier of four evaluations: its first page's table and sums, then each page.
    void dossierPages() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const std::pair<const char*, QByteArray> files[] = {
            {"Samedi public", SavedFile(2, 2, 1, "14118")},
            {"Samedi acteurs", SavedFile(1, 1, 1, "500")},
            {"Dimanche", SavedFile(3, 2, 2, "2500")},
            {"Quart", SavedFile(4, 2, 2, "250")},
        };
        std::vector<OpenedEvaluation> evaluations;
        for (const auto& [name, bytes] : files) {
            const QString path = dir.filePath(QString::fromUtf8(name) + ".ini");
            WriteAll(path, bytes);
            evaluations.push_back(*OpenEvaluationFile(path.toStdString()).evaluation);
        }
        EventDetails details;
        details.name = "Fête du village";
        details.place = "Plouzané";
        details.start = "14/03/2026 09:00";
        details.end = "15/03/2026 23:00";
        details.organiser = "Comité des fêtes";
        details.evaluations = {{"Samedi public", Audience::Public, "14/03/2026"},
                               {"Samedi acteurs", Audience::Acteurs, "14/03/2026"},
                               {"Dimanche", Audience::Public, "15/03/2026"}};
        if (HostProgram("pdftotext").isEmpty()) {
            QSKIP("No pdftotext here to read the PDF with.");
        }
        const Rendered rendered =
            RenderPdf(dir, RenderDossierPdf(details, PlaceInEvent(details, evaluations)));
        QCOMPARE(rendered.pages, 5);
        const QStringList pages = rendered.text.split(u'\f');
        const QString first = pages[0].simplified();
        const QString expected[] = {
            "Fête du village Plouzané Du samedi 14 mars 2026 à 09:00 au dimanche 15 mars 2026 à "
            "23:00 (38 h)",
            "14/03/2026 Samedi public public 14 118 14 118 0,85 12,000 DPS-ME 14 2",
            "14/03/2026 Samedi acteurs acteurs 500 500 0,75 0,375 PAPS 2 binôme",
            "15/03/2026 Dimanche public 2 500 2 500 0,95 2,375 DPS-PE 4 1",
            "— Quart public 250 250 1,00 0,250 Diligence — —",
            "Le samedi 14 mars 2026 : 16 intervenants secouristes, 2 postes de secours (« Samedi "
            "public », « Samedi acteurs »).",
            "Attention : « Samedi acteurs » couvre les acteurs avec un point d'alerte et de "
            "premier secours (PAPS) : un PAPS ne peut pas couvrir des participants.",
            "Page 1 sur 5",
        };
        for (const QString& part : expected) {
            QVERIFY2(first.contains(part), qPrintable(part + "\n" + first));
        }
        QVERIFY(first.contains("(12,0003)"));
        const QString saturday = pages[1].simplified();
        QVERIFY(saturday.contains("Public — samedi 14 mars 2026"));
        QVERIFY2(saturday.contains("12,000 (exactement") &&
                     saturday.contains("i × P / 1000 = 12,0003"),
                 qPrintable(saturday));
        QVERIFY(pages[2].simplified().contains("Un PAPS ne peut pas couvrir des participants"));
        const QString quarter = pages[4].simplified();
        QVERIFY(quarter.contains("jour non précisé"));
        QVERIFY(quarter.contains("Nombre recommandé : laissé à l'appréciation"));
        QVERIFY(quarter.contains("une note ministérielle du 24 mars 2015"));
        // The grid page's stray commas stay on the window.
        QVERIFY(!rendered.text.contains(",,") && !rendered.text.contains("évenement"));
        QVERIFY(saturday.contains("comice agricole…"));
        // One face embedded, whatever the pages say: bold is the regular face thickened.
        const QStringList fonts = Run(HostProgram("pdffonts"), {dir.filePath("report.pdf")})
                                      .split(u'\n', Qt::SkipEmptyParts)
                                      .mid(2);
        QCOMPARE(fonts.size(), 1);
    }

    void bannersAreTheGridPagesPictures() {
        for (const DpsBanner& banner : kDpsBanners) {
            const std::optional<PdfJpeg> image = ReportBanner(banner.type);
            QVERIFY(image.has_value());
            const PictureEntry* entry = FindPicture(banner.picture);
            QVERIFY(entry != nullptr);
            QCOMPARE(QSize(image->width, image->height), QSize(entry->width, entry->height));
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
