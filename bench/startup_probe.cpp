// Starts like the program, or, built as a baseline, shows one empty Qt window (the minimal probe)
// or a main window with a menu bar and one label (the floor: what any program that shows text
// pays); prints the monotonic clock in nanoseconds at the first paint of a window, the process's
// CPU time in nanoseconds and its peak resident memory in kilobytes so far, and quits.
#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <ctime>

#if !defined(CORVANE_MINIMAL_PROBE) && !defined(CORVANE_FLOOR_PROBE)
#include "shell/StartUp.h"
#define CORVANE_PROGRAM_PROBE
#endif

namespace {

long long PeakResidentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
            if (line.startsWith("VmHWM:")) {
                return line.mid(6).trimmed().split(' ').value(0).toLongLong();
            }
        }
    }
    return 0;
}

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType()) {
            seen_ = true;
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            timespec cpu{};
            clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
            std::printf("%lld %lld %lld\n",
                        static_cast<long long>(
                            std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                        static_cast<long long>(cpu.tv_sec) * 1000000000LL + cpu.tv_nsec,
                        PeakResidentKilobytes());
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, [] {
                for (QWidget* window : QApplication::topLevelWidgets()) {
                    window->close();
                }
                QApplication::quit();
            });
        }
        return false;
    }

private:
    bool seen_ = false;
};

} // namespace

int main(int argc, char* argv[]) {
#if defined(CORVANE_PROGRAM_PROBE)
    corvane::PrepareProcess();
#endif
    QApplication application(argc, argv);
    FirstPaint firstPaint;
    application.installEventFilter(&firstPaint);
#if defined(CORVANE_MINIMAL_PROBE)
    QWidget window;
    window.resize(1014, 718);
    window.show();
    return QApplication::exec();
#elif defined(CORVANE_FLOOR_PROBE)
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("Fichier"));
    window.setCentralWidget(new QLabel(QStringLiteral("Corvane")));
    window.resize(1014, 718);
    window.show();
    return QApplication::exec();
#else
    return corvane::RunProgram(application);
#endif
}
