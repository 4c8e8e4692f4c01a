#pragma once

class QApplication;

namespace corvane {

// What the process needs before the toolkit starts, which already writes warnings and may read
// settings: a file-size limit reported as a write error, and settings sent nowhere.
void PrepareProcess();

// Loads Qt's French texts, so that every standard button and dialog speaks French whatever the
// system's language.
void LoadFrenchTranslation(QApplication& application);

// Prepares the folders and paths, decodes the pictures, opens the main window and runs the event
// loop until the user quits. Returns the process's exit status.
int RunProgram(QApplication& application);

} // namespace corvane
