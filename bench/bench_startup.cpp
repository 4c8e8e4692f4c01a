// Start-up of the program to its first painted window, against two baselines measured in turns in
// the same run: an empty Qt Widgets window, and the floor, a main window with a menu bar and one
// label, which pays for fonts as any program that shows text; and again with both file lists
// holding 10,000 entries. Ratios are medians of the ratios of the runs taken together. Each probe
// runs in a HOME of its own: a fresh empty one, or one whose two folders are full, after a short
// pause that lets the machine finish with the probe before it.
// Run under a real X server: xvfb-run -a build/bench/bench_startup [rounds]
// A probe that fails to start, crashes, fails or prints no figures ends the run with status 1 and
// no result.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <optional>
#include <thread>
#include <vector>

#include <unistd.h>

namespace {

constexpr int kListEntries = 10000;
constexpr std::chrono::milliseconds kSettleTime{150};

struct Figures {
    double milliseconds = 0;
    double cpuMilliseconds = 0;
    double peakMegabytes = 0;
};

// Why a probe's run gave no figures; empty when the probe ended well.
QString RunFailure(const QProcess& process, bool finished) {
    if (!finished) {
        return process.errorString();
    }
    if (process.exitStatus() != QProcess::NormalExit) {
        return QStringLiteral("crashed");
    }
    if (process.exitCode() != 0) {
        return QStringLiteral("exit status %1").arg(process.exitCode());
    }
    return {};
}

// The time from starting the probe to its first paint and its peak memory until then, or
// nothing when the probe did not start, crashed, failed or printed no figures; what went wrong
// is then written to stderr.
std::optional<Figures> Start(const QString& probe, const QString& home) {
    // Each probe starts on a quiet machine: while the X server and the kernel still tear down the
    // previous probe, whichever probe comes next pays for it.
    std::this_thread::sleep_for(kSettleTime);
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(home);
    const auto started = std::chrono::steady_clock::now().time_since_epoch();
    process.start(probe, {});
    const QString failure = RunFailure(process, process.waitForFinished(30000));
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "%s failed (%s)\n%s", qPrintable(probe), qPrintable(failure),
                     process.readAllStandardError().constData());
        return std::nullopt;
    }
    const QList<QByteArray> printed = process.readAllStandardOutput().simplified().split(' ');
    bool paintRead = false;
    bool cpuRead = false;
    bool peakRead = false;
    const long long painted = printed.value(0).toLongLong(&paintRead);
    const long long cpuNanoseconds = printed.value(1).toLongLong(&cpuRead);
    const long long peakKilobytes = printed.value(2).toLongLong(&peakRead);
    if (!paintRead || !cpuRead || !peakRead) {
        std::fprintf(stderr, "%s printed no figures\n", qPrintable(probe));
        return std::nullopt;
    }
    const long long start = std::chrono::duration_cast<std::chrono::nanoseconds>(started).count();
    return Figures{static_cast<double>(painted - start) / 1e6,
                   static_cast<double>(cpuNanoseconds) / 1e6,
                   static_cast<double>(peakKilobytes) / 1024.0};
}

std::optional<Figures> StartInNewHome(const QString& probe) {
    QTemporaryDir home;
    return Start(probe, home.path());
}

// A HOME whose evaluations and pictures folders hold `entries` files each.
bool FillLists(const QString& home, int entries) {
    const QString documents = home + QStringLiteral("/Documents/");
    for (const auto& [folder, ending] :
         {std::pair{"Mes Evaluations", "ini"}, std::pair{"Mes Evaluations Images", "jpeg"}}) {
        const QString path = documents + QString::fromLatin1(folder) + QLatin1Char('/');
        if (!QDir().mkpath(path)) {
            return false;
        }
        for (int number = 0; number < entries; ++number) {
            QFile file(path + QStringLiteral("Evaluation %1.%2").arg(number).arg(ending));
            if (!file.open(QIODevice::WriteOnly) || file.write("[Global]\r\n") != 10) {
                return false;
            }
        }
    }
    return true;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Series {
    const char* name;
    std::vector<Figures> runs;

    std::vector<double> Values(double Figures::*field) const {
        std::vector<double> values;
        for (const Figures& run : runs) {
            values.push_back(run.*field);
        }
        return values;
    }
    double MedianOf(double Figures::*field) const { return Median(Values(field)); }
    void Print() const {
        std::printf("%-44s %7.1f ms wall %7.1f ms CPU %7.1f MB\n", name,
                    MedianOf(&Figures::milliseconds), MedianOf(&Figures::cpuMilliseconds),
                    MedianOf(&Figures::peakMegabytes));
    }
};

// The median over the rounds of the ratio of one series' figure to another's in the same round.
double PairedRatio(const Series& measured, const Series& baseline, double Figures::*field) {
    std::vector<double> ratios;
    for (std::size_t round = 0; round < measured.runs.size(); ++round) {
        ratios.push_back(measured.runs[round].*field / baseline.runs[round].*field);
    }
    return Median(ratios);
}

void PrintRatios(const Series& measured, const Series& baseline) {
    std::printf("%s / %s: wall %.3f, CPU %.3f, peak memory %.3f\n", measured.name, baseline.name,
                PairedRatio(measured, baseline, &Figures::milliseconds),
                PairedRatio(measured, baseline, &Figures::cpuMilliseconds),
                PairedRatio(measured, baseline, &Figures::peakMegabytes));
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    // The figures are printed with a full stop whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    // Single starts vary by a third on a busy machine: fewer rounds leave the ratios several
    // hundredths apart from one run to the next.
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 41;
    const QString folder = QCoreApplication::applicationDirPath();
    const QString minimalProbe = folder + QStringLiteral("/startup_probe_minimal");
    const QString floorProbe = folder + QStringLiteral("/startup_probe_floor");
    const QString programProbe = folder + QStringLiteral("/startup_probe_corvane");
    QTemporaryDir fullHome;
    if (!FillLists(fullHome.path(), kListEntries)) {
        std::fprintf(stderr, "bench_startup: cannot fill the lists\n");
        return 1;
    }
    // The disk writes back the 20,000 new files before the runs start, not during them, where
    // it would slow down whichever probe writes to the disk itself.
    ::sync();
    Series minimal{"empty Qt window", {}};
    Series floor{"floor (main window, menu bar, one label)", {}};
    Series program{"Corvane", {}};
    Series full{"Corvane, both lists holding 10,000 entries", {}};
    // A median over failed runs would measure nothing: the first failure ends the benchmark.
    for (int round = 0; round < rounds; ++round) {
        const std::optional<Figures> minimalRun = StartInNewHome(minimalProbe);
        const std::optional<Figures> floorRun =
            minimalRun ? StartInNewHome(floorProbe) : std::nullopt;
        const std::optional<Figures> programRun =
            floorRun ? StartInNewHome(programProbe) : std::nullopt;
        const std::optional<Figures> fullRun =
            programRun ? Start(programProbe, fullHome.path()) : std::nullopt;
        if (!fullRun) {
            std::fprintf(stderr, "bench_startup: a probe failed in round %d of %d; no result\n",
                         round + 1, rounds);
            return 1;
        }
        minimal.runs.push_back(*minimalRun);
        floor.runs.push_back(*floorRun);
        program.runs.push_back(*programRun);
        full.runs.push_back(*fullRun);
    }
    std::printf("rounds: %d; medians to the first paint\n", rounds);
    for (const Series* series : {&minimal, &floor, &program, &full}) {
        series->Print();
    }
    PrintRatios(program, minimal);
    PrintRatios(program, floor);
    std::printf("targets: at most 1.05 of the floor's wall time and 1.10 of its peak memory\n");
    std::printf("full lists add %.1f ms (target: under 400 ms) and peak at %.1f MB "
                "(target: under 120 MB, 80 MB the aim)\n",
                full.MedianOf(&Figures::milliseconds) - program.MedianOf(&Figures::milliseconds),
                full.MedianOf(&Figures::peakMegabytes));
    return 0;
}
