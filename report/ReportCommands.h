#pragma once

#include "report/CommandLine.h"

#include <cstdio>

namespace corvane {

// Writes one PDF report per evaluation file. Each file that cannot be read or whose report
// cannot be written is told on `errors`, and the others go on. Returns the exit status: 0 when
// every file was handled, 1 otherwise.
int WriteReports(const CommandLine& line, std::FILE* out, std::FILE* errors);

// Writes the CSV summary of every evaluation of a folder, in the order of their names.
int WriteSummary(const CommandLine& line, std::FILE* out, std::FILE* errors);

// Writes the declaration dossier of an event: its details file, then its evaluations in the order
// given. An evaluation that cannot be read is told and left out.
int WriteDossier(const CommandLine& line, std::FILE* out, std::FILE* errors);

} // namespace corvane
