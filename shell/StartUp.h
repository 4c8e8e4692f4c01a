#pragma once

class QApplication;

namespace corvane {

// Loads Qt's French texts, so that every standard button and dialog speaks French whatever the
// system's language.
void LoadFrenchTranslation(QApplication& application);

// Prepares the folders and paths, decodes the pictures, opens the main window and runs the event
// loop until the user quits. Returns the process's exit status.
int RunProgram(QApplication& application);

} // namespace corvane
