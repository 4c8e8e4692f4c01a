// The file lists on a folder of evaluations (10,000 unless told): the first showing in each
// view, and a burst of new files (10,000 unless told) written by another thread while the list
// follows its folder and reads it again in the background, as the program's pages do.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_lists [rounds] [entries] [burst]
#include "platform/desktop/FolderWatch.h"
#include "store/FileList.h"
#include "store/FolderListing.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <clocale>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

using namespace corvane;

namespace {

const QByteArray kContent("[Global]\r\nP2 = 0.25\r\nE1 = 0.25\r\nE2 = 0.25\r\nP1 = 1500\r\n"
                          "P = 1500\r\nI = 0.75\r\nRIS = 1.125\r\nType = PAPS\r\nDate = \r\n");

bool WriteEvaluation(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(kContent) == kContent.size();
}

QString EvaluationName(const QString& prefix, int number) {
    return QStringLiteral("%1 %2.ini").arg(prefix).arg(number, 5, 10, QLatin1Char('0'));
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Milliseconds(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

struct ShowingFigures {
    double listedAfter = 0;  // from nothing to the whole list painted
    double longestStall = 0; // the longest the UI thread was held meanwhile
};

// From nothing to a painted list: the folder read and sorted away from the window, the visible
// rows drawn. The UI thread's clock ticks every millisecond, so the longest gap between ticks is
// the longest time it was held.
ShowingFigures FirstShowing(const QString& folder, int mode) {
    ShowingFigures figures;
    QElapsedTimer sinceTick;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        figures.longestStall = std::max(figures.longestStall, Milliseconds(sinceTick));
        sinceTick.restart();
    });
    QElapsedTimer timer;
    timer.start();
    sinceTick.start();
    ticks.start(1);
    FileList list(folder, QStringLiteral("*ini"));
    list.SetViewMode(mode);
    list.resize(1000, 590);
    list.show();
    while (!list.Listed() || list.ReadingDue()) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    list.grab();
    figures.listedAfter = Milliseconds(timer);
    figures.longestStall = std::max(figures.longestStall, Milliseconds(sinceTick));
    return figures;
}

struct BurstFigures {
    int rereads = 0;
    double longestStall = 0;
    int listedAtEnd = 0;
};

// Another thread makes the changes while the list follows the folder; the UI thread's clock
// ticks every millisecond, so the longest gap between ticks is the longest time it was held.
BurstFigures Follow(const QString& folder, int mode, const std::function<void()>& change) {
    BurstFigures figures;
    FileList list(folder, QStringLiteral("*ini"));
    list.SetViewMode(mode);
    list.resize(1000, 590);
    list.show();
    const std::unique_ptr<FolderWatch> watch = MakeFolderWatch();
    watch->Follow(
        folder,
        [](const QString& name, bool isFolder) {
            return IsListedName(name, isFolder, QStringLiteral("*ini"));
        },
        &list, [&] { list.RereadInBackground(); });
    QObject::connect(&list, &FileList::reread, [&] {
        list.grab();
        ++figures.rereads;
    });

    QElapsedTimer sinceTick;
    sinceTick.start();
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        figures.longestStall = std::max(figures.longestStall, Milliseconds(sinceTick));
        sinceTick.restart();
    });
    ticks.start(1);

    std::atomic<bool> written = false;
    std::thread writer([&change, &written] {
        change();
        written = true;
    });
    // Until the writer is done, the list has taken the last change the watch told, and the
    // folder has been quiet for a while: a change told late would come within it.
    QElapsedTimer quiet;
    quiet.start();
    int seen = 0;
    while (!written || list.ReadingDue() || quiet.elapsed() < 2000) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        if (figures.rereads != seen || !written || list.ReadingDue()) {
            seen = figures.rereads;
            quiet.restart();
        }
    }
    writer.join();
    figures.listedAtEnd = list.EntryCount();
    return figures;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // The figures are printed with a full stop whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    const int entries = argc > 2 ? std::max(1, atoi(argv[2])) : 10000;
    const int burstSize = argc > 3 ? std::max(1, atoi(argv[3])) : 10000;
    QTemporaryDir folder;
    const QString path = folder.path() + QLatin1Char('/');
    for (int number = 0; number < entries; ++number) {
        if (!WriteEvaluation(path + EvaluationName(QStringLiteral("Evaluation"), number))) {
            std::fprintf(stderr, "bench_lists: cannot write the evaluations\n");
            return 1;
        }
    }
    std::printf("%d evaluations, first showing (read, sorted, painted), median of %d:\n", entries,
                rounds);
    static const char* const modes[]{"large icons", "small icons", "list", "details"};
    for (int mode = 0; mode < FileList::kViewModeCount; ++mode) {
        std::vector<double> listed;
        std::vector<double> held;
        for (int round = 0; round < rounds; ++round) {
            const ShowingFigures showing = FirstShowing(path, mode);
            listed.push_back(showing.listedAfter);
            held.push_back(showing.longestStall);
        }
        std::printf("  %-12s listed in %7.1f ms, UI thread held at most %5.1f ms (target: "
                    "under 100 ms)\n",
                    modes[mode], Median(listed), *std::max_element(held.begin(), held.end()));
    }

    std::printf("burst of %d new files into the %d, in each view:\n", burstSize, entries);
    bool allListed = true;
    for (int mode = 0; mode < FileList::kViewModeCount; ++mode) {
        const BurstFigures burst = Follow(path, mode, [&path, burstSize] {
            for (int number = 0; number < burstSize; ++number) {
                WriteEvaluation(path + EvaluationName(QStringLiteral("Nouvelle"), number));
            }
        });
        std::printf("  %-12s %2d re-reads, UI thread held at most %5.1f ms (target: under 100 ms); "
                    "%d listed\n",
                    modes[mode], burst.rereads, burst.longestStall, burst.listedAtEnd);
        allListed = allListed && burst.listedAtEnd == entries + burstSize;
        for (int number = 0; number < burstSize; ++number) {
            QFile::remove(path + EvaluationName(QStringLiteral("Nouvelle"), number));
        }
    }

    // Renames and deletions, as fast as the disk takes them, for a while: each file in turn
    // renamed, renamed back, deleted and written again.
    constexpr int kStreamSeconds = 10;
    std::printf("stream of renames and deletions in the %d for %d s, in each view:\n", entries,
                kStreamSeconds);
    for (int mode = 0; mode < FileList::kViewModeCount; ++mode) {
        std::atomic<long> changes = 0;
        const BurstFigures stream = Follow(path, mode, [&path, entries, &changes] {
            QElapsedTimer running;
            running.start();
            for (int number = 0; running.elapsed() < kStreamSeconds * 1000; ++number) {
                const QString name =
                    path + EvaluationName(QStringLiteral("Evaluation"), number % entries);
                const QString renamed = name + QStringLiteral(".tmp.ini");
                QFile::rename(name, renamed);
                QFile::rename(renamed, name);
                QFile::remove(name);
                WriteEvaluation(name);
                changes += 4;
            }
        });
        std::printf("  %-12s %ld changes, %2d re-reads, UI thread held at most %5.1f ms (target: "
                    "under 100 ms); %d listed\n",
                    modes[mode], changes.load(), stream.rereads, stream.longestStall,
                    stream.listedAtEnd);
        allListed = allListed && stream.listedAtEnd == entries;
    }
    return allListed ? 0 : 1;
}
