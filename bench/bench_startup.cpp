// Start-up of the program to its first painted window, against a minimal Qt Widgets window,
// measured in turns in the same run. Each probe runs in a fresh temporary HOME.
// Run under a real X server: xvfb-run -a build/bench/bench_startup [rounds]
// A probe that fails to start, crashes, fails or prints no time ends the run with status 1 and no
// result.
#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

// Why a probe's run gave no time; empty when the probe ended well.
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

// The time from starting the probe to its first paint, or nothing when the probe did not start,
// crashed, failed or printed no time; what went wrong is then written to stderr.
std::optional<double> StartupMilliseconds(const QString& probe) {
    QTemporaryDir home;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(home.path());
    const auto started = std::chrono::steady_clock::now().time_since_epoch();
    process.start(probe, {});
    const QString failure = RunFailure(process, process.waitForFinished(30000));
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "%s failed (%s)\n%s", qPrintable(probe), qPrintable(failure),
                     process.readAllStandardError().constData());
        return std::nullopt;
    }
    bool isNumber = false;
    const long long painted = process.readAllStandardOutput().trimmed().toLongLong(&isNumber);
    if (!isNumber) {
        std::fprintf(stderr, "%s printed no paint time\n", qPrintable(probe));
        return std::nullopt;
    }
    const long long start = std::chrono::duration_cast<std::chrono::nanoseconds>(started).count();
    return static_cast<double>(painted - start) / 1e6;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    const QString folder = QCoreApplication::applicationDirPath();
    std::vector<double> program;
    std::vector<double> minimal;
    // A median over failed runs would measure nothing: the first failure ends the benchmark.
    const auto failed = [rounds](int round) {
        std::fprintf(stderr, "bench_startup: a probe failed in round %d of %d; no result\n",
                     round + 1, rounds);
        return 1;
    };
    for (int round = 0; round < rounds; ++round) {
        const std::optional<double> minimalTime =
            StartupMilliseconds(folder + QStringLiteral("/startup_probe_minimal"));
        if (!minimalTime) {
            return failed(round);
        }
        const std::optional<double> programTime =
            StartupMilliseconds(folder + QStringLiteral("/startup_probe_corvane"));
        if (!programTime) {
            return failed(round);
        }
        minimal.push_back(*minimalTime);
        program.push_back(*programTime);
    }
    const double programMedian = Median(program);
    const double minimalMedian = Median(minimal);
    std::printf("rounds: %d\n", rounds);
    std::printf("minimal Qt window, median: %.1f ms\n", minimalMedian);
    std::printf("Corvane main window, median: %.1f ms\n", programMedian);
    std::printf("ratio: %.2f (target: at most 1.5)\n", programMedian / minimalMedian);
    return 0;
}
