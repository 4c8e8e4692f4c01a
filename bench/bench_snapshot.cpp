// One snapshot of the real window: the screen copy, the JPEG at quality 100 and the file written
// whole and synced. On an X server the screen itself is read; offscreen the window is drawn.
// Run: xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/bench_snapshot [rounds]
#include "assets/PictureCatalogue.h"
#include "platform/desktop/AppPaths.h"
#include "platform/desktop/FolderWatch.h"
#include "platform/desktop/ScreenCopy.h"
#include "platform/files/DiskEvaluationFiles.h"
#include "shell/MainWindow.h"
#include "store/Snapshot.h"
#include "tests/support/ScriptedDesktop.h"
#include "tests/support/ScriptedDialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace corvane;

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

const char* Described(CopySource source) {
    return source == CopySource::Screen ? "screen pixels (QScreen::grabWindow)"
                                        : "window drawn (QWidget::grab)";
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;

    QTemporaryDir home;
    ScriptedDialogs dialogs;
    ScriptedDesktop desktop;
    desktop.documentsFolder = home.path() + "/Documents/";
    desktop.workingDirectory = home.path() + "/";
    DiskEvaluationFiles files;
    const std::unique_ptr<FolderWatch> watch = MakeFolderWatch();
    const PictureCatalogue pictures = PictureCatalogue::Load();
    const LocalDateTime moment{{2026, 12, 7}, 10, 11, 12};
    MainWindow window({dialogs, desktop, files, *watch, [moment] { return moment; }, pictures},
                      PrepareAppPaths(desktop));
    window.show();
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
    }

    const SnapshotSetup setup{
        dialogs, desktop, files, [moment] { return moment; }, window.Paths().images, window};
    const QString path = SnapshotPath(window.Paths().images, QStringLiteral("BENCH"), moment);
    CopySource source = CopySource::Window;
    CaptureScreenArea(SnapshotArea(window), &window, &source);

    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        if (!SaveSnapshot(setup, path)) {
            std::fprintf(stderr, "bench_snapshot: the snapshot was not written\n");
            return 1;
        }
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("one snapshot of %dx%d on '%s', %s, median of %d: %.1f ms "
                "(target: under 40 ms)\n",
                SnapshotArea(window).width(), SnapshotArea(window).height(),
                qPrintable(QGuiApplication::platformName()), Described(source), rounds,
                Median(times));
    return 0;
}
