#include "platform/files/DetachedOpen.h"

#include "platform/files/NativeNames.h"

#include <QFile>

#include <cerrno>
#include <chrono>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

namespace corvane {

extern "C" char** environ;

bool StartDesktopOpen(const QString& path) {
    using namespace std::chrono_literals;
    const QByteArray file = NativeName(path);
    char opener[] = "xdg-open";
    char* const arguments[] = {opener, const_cast<char*>(file.constData()), nullptr};
    pid_t child = 0;
    if (posix_spawnp(&child, opener, nullptr, nullptr, arguments, environ) != 0) {
        return false;
    }
    // The opener is left to run on its own when it takes longer; this program then ends first.
    for (auto waited = 0ms; waited < 10s; waited += 20ms) {
        int status = 0;
        const pid_t ended = waitpid(child, &status, WNOHANG);
        if (ended == child) {
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
        if (ended < 0 && errno != EINTR) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

} // namespace corvane
