#pragma once

#include <QString>
#include <QStringList>

namespace corvane {

// What corvane-rapport was asked to do.
struct CommandLine {
    enum class Task { Reports, Summary, Help, Version, Mistake };
    Task task = Task::Mistake;
    // Reports: the evaluation files.
    QStringList files;
    // Reports: the folder for the PDFs, empty for beside each file. Summary: the CSV file, empty
    // for standard output.
    QString output;
    // Summary: the folder of evaluations, empty for the user's own.
    QString folder;
    bool replace = false;
    // Summary: write it into the user's Documents and open it with the desktop's spreadsheet.
    bool open = false;
    // Mistake: what is wrong, in French.
    QString mistake;
};

CommandLine ParseCommandLine(const QStringList& arguments);

// The text of --help.
QString UsageText();

} // namespace corvane
