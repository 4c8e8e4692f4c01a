#pragma once

#include <QString>

namespace corvane {

// One of the build machine's own programs (pdftotext, python3, ...) as a test starts it, or
// nothing where none can be: a Windows build's tests run under wine, which starts Linux programs
// but never tells when they end.
QString HostProgram(const char* name);

} // namespace corvane
