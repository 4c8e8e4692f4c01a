#pragma once

namespace corvane {

// The program keeps no settings, but Qt's own file dialog reads and saves its state through
// QSettings. This sends every settings file to a folder that can never be created, so that
// nothing is read from the user's or the system's configuration and nothing is written there.
// Call it before anything opens a QSettings.
void SendSettingsNowhere();

} // namespace corvane
