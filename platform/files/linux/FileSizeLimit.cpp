#include "platform/files/FileSizeLimit.h"

#include <csignal>

namespace corvane {

void TreatFileSizeLimitAsWriteError() {
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace corvane
