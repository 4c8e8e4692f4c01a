#include "platform/files/ConsoleProgram.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h>

namespace corvane {

QStringList ProgramArguments(int /*argc*/, char* /*argv*/[]) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    QStringList arguments;
    for (int i = 1; i < count; ++i) {
        arguments << QString::fromWCharArray(wide[i]);
    }
    LocalFree(wide);
    return arguments;
}

void WriteStandardStreamsAsBytes() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

} // namespace corvane
