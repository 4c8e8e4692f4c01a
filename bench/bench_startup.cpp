// Start-up of the program to its first painted window, against a minimal Qt Widgets window,
// measured in turns in the same run. Each probe runs in a fresh temporary HOME.
// Run under a real X server: xvfb-run -a build/bench/bench_startup [rounds]
#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

double StartupMilliseconds(const QString& probe) {
    QTemporaryDir home;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(home.path());
    const auto started = std::chrono::steady_clock::now().time_since_epoch();
    process.start(probe, {});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(probe),
                     process.readAllStandardError().constData());
        return -1;
    }
    const long long painted = process.readAllStandardOutput().trimmed().toLongLong();
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
    for (int round = 0; round < rounds; ++round) {
        minimal.push_back(StartupMilliseconds(folder + QStringLiteral("/startup_probe_minimal")));
        program.push_back(StartupMilliseconds(folder + QStringLiteral("/startup_probe_corvane")));
    }
    const double programMedian = Median(program);
    const double minimalMedian = Median(minimal);
    std::printf("rounds: %d\n", rounds);
    std::printf("minimal Qt window, median: %.1f ms\n", minimalMedian);
    std::printf("Corvane main window, median: %.1f ms\n", programMedian);
    std::printf("ratio: %.2f (target: at most 1.5)\n", programMedian / minimalMedian);
    return 0;
}
