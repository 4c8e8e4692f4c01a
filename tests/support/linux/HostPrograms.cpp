#include "tests/support/HostPrograms.h"

namespace corvane {

QString HostProgram(const char* name) {
    return QStringLiteral("/usr/bin/") + QLatin1String(name);
}

} // namespace corvane
