#include "platform/files/ConsoleProgram.h"

#include <cstdio>
#include <cstdlib>
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

namespace {

UINT consoleCodePage = 0;

void RestoreConsoleCodePage() {
    SetConsoleOutputCP(consoleCodePage);
}

} // namespace

void WriteStandardStreamsAsBytes() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // The console's code page belongs to the window the user typed in: it is given back.
    consoleCodePage = GetConsoleOutputCP();
    if (consoleCodePage != 0 && consoleCodePage != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
        std::atexit(RestoreConsoleCodePage);
    }
}

} // namespace corvane
