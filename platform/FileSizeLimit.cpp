#include "platform/FileSizeLimit.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <csignal>
#endif

namespace corvane {

void TreatFileSizeLimitAsWriteError() {
#ifdef Q_OS_UNIX
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

} // namespace corvane
