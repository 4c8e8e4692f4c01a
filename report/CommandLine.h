#pragma once

#include <QString>
#include <QStringList>

namespace corvane {

// What corvane-rapport was asked to do.
struct CommandLine {
    enum class Task { Reports, Summary, Dossier, Help, Version, Mistake };
    Task task = Task::Mistake;
    // Reports, Dossier: the evaluation files.
    QStringList files;
    // Dossier: the event's details file.
    QString eventFile;
    // Reports: the folder for the PDFs, empty for beside each file. Summary: the CSV file, empty
    // for standard output. Dossier: the PDF file, empty for beside the event's file.
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
