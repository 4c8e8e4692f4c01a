// corvane-rapport on a folder of evaluations: the summary of all of them, one PDF report each,
// and the declaration dossier of ten of them beside their ten separate reports.
// Usage: bench_rapport <corvane-rapport> [evaluations, default 10000] [runs, default 5]
// Prints the median wall time of each, and of the program doing nothing (--version); then the
// processor time of one report page beside the floor, a bare QPdfWriter A4 page with one line of
// text and the same banner, in alternating rounds.
#include "assets/ProgramFonts.h"
#include "platform/codec/JpegCodec.h"
#include "report/ReportPdf.h"
#include "report/TextBlock.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <vector>

#include <sys/resource.h>

using namespace corvane;

namespace {

QByteArray Evaluation(int i) {
    const int p1 = 100 + 37 * i;
    return QString("\xEF\xBB\xBF\r\n[Global]\r\nP2 = OptP2_%1\r\nE1 = OptE1_%2\r\nE2 = "
                   "OptE2_%3\r\nP1 = %4\r\nP = %4\r\nI = 1.00\r\nRIS = %5\r\nType = DPS de "
                   "petite envergure (DPS-PE)\r\nDate = Mardi 08 Décembre 2026 à 10:00:00\r\n")
        .arg(1 + i % 4)
        .arg(1 + i / 4 % 4)
        .arg(1 + i / 16 % 4)
        .arg(p1)
        .arg(p1 / 1000.0, 0, 'f', 3)
        .toUtf8();
}

// The median wall time of `runs` runs, in milliseconds; -1 when a run failed.
double MedianMs(const QString& program, const QStringList& arguments, int runs,
                const std::function<void()>& before = {}) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        if (before) {
            before();
        }
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer timer;
        timer.start();
        process.start(program, arguments);
        if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit ||
            process.exitCode() != 0) {
            std::fprintf(stderr, "run failed: %s\n", process.readAllStandardError().constData());
            return -1;
        }
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

QByteArray FloorPage(const QImage& banner) {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(600);
    QPainter painter(&writer);
    painter.setFont(Font(10));
    painter.drawText(QPointF(400, 400), QStringLiteral("Évaluation des risques : FETE DU VILLAGE"));
    painter.drawImage(QRectF(400, 600, 2362, 266), banner);
    painter.end();
    return pdf;
}

double CpuSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// Milliseconds of processor time per page, the median of `rounds` rounds of `pages` pages.
struct PageTimes {
    double floor = 0;
    double report = 0;
};

PageTimes ComparePages(const OpenedEvaluation& evaluation, int rounds, int pages) {
    const QImage banner = *DecodeJpeg(ReportBanner(evaluation.record.banner)->bytes);
    std::vector<double> floors;
    std::vector<double> reports;
    qsizetype bytes = 0;
    for (int round = 0; round < rounds; ++round) {
        double start = CpuSeconds();
        for (int page = 0; page < pages; ++page) {
            bytes += FloorPage(banner).size();
        }
        floors.push_back((CpuSeconds() - start) * 1000 / pages);
        start = CpuSeconds();
        for (int page = 0; page < pages; ++page) {
            bytes += RenderReportPdf(evaluation).size();
        }
        reports.push_back((CpuSeconds() - start) * 1000 / pages);
    }
    std::sort(floors.begin(), floors.end());
    std::sort(reports.begin(), reports.end());
    if (bytes == 0) {
        return {};
    }
    return {floors[floors.size() / 2], reports[reports.size() / 2]};
}

} // namespace

int main(int argc, char* argv[]) {
    // The reports are drawn without a screen, as corvane-rapport draws them.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    AddProgramFonts();
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_rapport <corvane-rapport> [evaluations] [runs]\n");
        return 2;
    }
    const QString rapport = QString::fromLocal8Bit(argv[1]);
    const int count = argc > 2 ? std::atoi(argv[2]) : 10000;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 5;
    QTemporaryDir work;
    const QString folder = work.filePath("Mes Evaluations");
    const QString reports = work.filePath("rapports");
    QDir().mkpath(folder);
    QStringList files;
    for (int i = 0; i < count; ++i) {
        QFile file(QString("%1/EVALUATION %2.ini").arg(folder).arg(i, 5, 10, QChar('0')));
        if (!file.open(QIODevice::WriteOnly) || file.write(Evaluation(i)) < 0) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
        files << file.fileName();
    }

    const double nothing = MedianMs(rapport, {"--version"}, runs);
    const double summary = MedianMs(
        rapport, {"--resume", folder, "-o", work.filePath("resume.csv"), "--remplacer"}, runs);
    // The largest of the programs waited for so far: the summary's, beside --version's.
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    const double summaryPeakMiB = static_cast<double>(children.ru_maxrss) / 1024;
    const double pdfs = MedianMs(rapport, files + QStringList{"-o", reports}, runs, [&] {
        QDir(reports).removeRecursively();
        QDir().mkpath(reports);
    });
    // An event over two days whose ten evaluations alternate between the public and the acteurs.
    constexpr int kDossierCount = 10;
    QByteArray event = "\xEF\xBB\xBF[Evenement]\r\nNom = Banc d'essai\r\nLieu = Ici\r\n"
                       "Debut = 14/03/2026 09:00\r\nFin = 15/03/2026 23:00\r\n"
                       "Organisateur = Mesure\r\n[Evaluations]\r\n";
    for (int i = 0; i < std::min(kDossierCount, count); ++i) {
        event += QString("EVALUATION %1 = %2;%3/03/2026\r\n")
                     .arg(i, 5, 10, QChar('0'))
                     .arg(i % 2 == 0 ? "public" : "acteurs")
                     .arg(14 + i % 2)
                     .toUtf8();
    }
    QFile eventFile(work.filePath("evenement.ini"));
    if (!eventFile.open(QIODevice::WriteOnly) || eventFile.write(event) < 0) {
        return 1;
    }
    eventFile.close();
    const QStringList dossierFiles = files.mid(0, kDossierCount);
    const double dossier =
        MedianMs(rapport,
                 QStringList{"--dossier", eventFile.fileName()} + dossierFiles +
                     QStringList{"-o", work.filePath("dossier.pdf"), "--remplacer"},
                 runs);
    const double tenReports =
        MedianMs(rapport, dossierFiles + QStringList{"-o", reports}, runs, [&] {
            QDir(reports).removeRecursively();
            QDir().mkpath(reports);
        });
    if (nothing < 0 || summary < 0 || pdfs < 0 || dossier < 0 || tenReports < 0) {
        return 1;
    }
    std::printf("corvane-rapport, median of %d runs, %d evaluations\n", runs, count);
    std::printf("  start and stop (--version): %8.1f ms\n", nothing);
    std::printf("  --resume to a CSV file:     %8.1f ms, peak memory %.1f MiB\n", summary,
                summaryPeakMiB);
    std::printf("  one PDF each:               %8.1f ms (%.2f ms per report)\n", pdfs,
                pdfs / count);
    const OpeningResult opened = OpenEvaluationFile(files.first().toStdString());
    if (!opened.evaluation) {
        return 1;
    }
    constexpr int kRounds = 5;
    constexpr int kPages = 200;
    const PageTimes page = ComparePages(*opened.evaluation, kRounds, kPages);
    std::printf("one report page in process, processor time, median of %d alternated rounds of "
                "%d:\n",
                kRounds, kPages);
    std::printf("  floor (QPdfWriter, a line and the banner): %6.2f ms\n", page.floor);
    std::printf("  report page:                               %6.2f ms (%.2f x the floor)\n",
                page.report, page.report / page.floor);
    std::printf("  dossier of %d (11 pages):   %8.1f ms, beside their %d reports: %.1f ms\n",
                int(dossierFiles.size()), dossier, int(dossierFiles.size()), tenReports);
    return 0;
}
