#pragma once

#include <QStringList>

// What a program run from a command line needs of the system.
namespace corvane {

// The program's arguments, without its own name, as the user gave them: on Windows argv holds
// them in the ANSI code page, which loses every letter outside it, so the wide command line is
// read instead.
QStringList ProgramArguments(int argc, char* argv[]);

// Bytes written to stdout and stderr reach them unchanged: Windows would otherwise write each
// "\n" as "\r\n", and a CSV's own "\r\n" as "\r\r\n". The program's text is UTF-8, which a
// Windows console then shows as such until the program ends.
void WriteStandardStreamsAsBytes();

} // namespace corvane
