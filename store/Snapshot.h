#pragma once

#include "core/EvaluationStore.h"
#include "core/FrenchDate.h"
#include "core/UserMessage.h"

#include <QRect>
#include <QString>

class QMainWindow;

namespace corvane {

class Desktop;
class Dialogs;

// "20200228_143015": the moment a snapshot is named after, to the second.
QString SnapshotStamp(const LocalDateTime& moment);

// The images folder, the name as the user typed it, "_", the stamp and ".jpeg".
QString SnapshotPath(const QString& imagesFolder, const QString& baseName,
                     const LocalDateTime& moment);

// The part of the window a snapshot shows, in screen coordinates: from the top-left corner
// just below the menu bar, the full width, and the window's inner height less 200 pixels, which
// leaves out the document buttons and the status line.
QRect SnapshotArea(const QMainWindow& window);

UserMessage OpenSnapshotQuestion();
UserMessage SnapshotFailureMessage();

// What taking a snapshot works with.
struct SnapshotSetup {
    Dialogs& dialogs;
    Desktop& desktop;
    EvaluationFiles& files;
    Clock clock;
    QString imagesFolder;
    QMainWindow& window;
};

// The picture of the window saved as a JPEG in the images folder. It is named after
// `nameFieldText`, or, when that is empty, after a name asked for; no name given ends it
// quietly. A success offers to open the picture, a failure says so.
void TakeSnapshot(const SnapshotSetup& setup, const QString& nameFieldText);

// Copies the window's snapshot area and writes it whole to `path`, replacing any file there;
// whether it was written. A path whose folder is not the images folder is refused.
bool SaveSnapshot(const SnapshotSetup& setup, const QString& path);

} // namespace corvane
