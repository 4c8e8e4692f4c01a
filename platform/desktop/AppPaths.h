#pragma once

#include <QString>

namespace corvane {

class Desktop;

// The folders and documents the program works with, set once at start-up. Folder paths end with
// the path separator, so a bare file name can be appended.
struct AppPaths {
    QString evaluations;
    QString images;
    // Where the declaration dossiers go; made when the first one is.
    QString dossiers;
    // The program's own folder among the user's data, where a document missing from the working
    // directory is looked for next; empty when the system gives none.
    QString userData;
    // The reference documents in the working directory.
    QString referencePdf;
    QString formUnder5000Pdf;
    QString formOver5000Pdf;
    QString gridPdf;
    QString flowchartPdf;
};

// Creates the Documents folder when it is missing, then the evaluations folder and the images
// folder inside it when nothing exists at their paths (a file of that name is left alone); clears
// both folders of what saves killed part-way left behind; forms the document paths from the
// working directory.
AppPaths PrepareAppPaths(Desktop& desktop);

// Where the file that `workingPath` names in the working directory is at this moment: at that
// path when something is there (a folder counts), otherwise under the same name in the user's
// data folder when something is there; empty when neither place holds it.
QString LocateAppFile(const AppPaths& paths, const QString& workingPath);

} // namespace corvane
