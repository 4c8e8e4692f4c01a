#include "platform/files/ConsoleProgram.h"

#include <QFile>

namespace corvane {

QStringList ProgramArguments(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QFile::decodeName(argv[i]);
    }
    return arguments;
}

void WriteStandardStreamsAsBytes() {}

} // namespace corvane
