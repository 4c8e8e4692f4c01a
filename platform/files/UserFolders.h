#pragma once

#include <QString>

namespace corvane {

// The program's folders inside the user's Documents folder.
inline constexpr char kEvaluationsFolderName[] = "Mes Evaluations";
inline constexpr char kImagesFolderName[] = "Mes Evaluations Images";
// The folder of the events' declaration dossiers, made when the first one is.
inline constexpr char kDossiersFolderName[] = "Mes Dossiers DPS";
// The program's folder among the user's data.
inline constexpr char kDataFolderName[] = "corvane";

// The user's Documents folder as the desktop gives it, without a separator at the end; empty when
// the desktop gives none.
QString UserDocumentsFolder();

// The program's own folder among the user's data, without a separator at the end: where a user
// without administrator rights puts the reference documents. $XDG_DATA_HOME/corvane, by default
// ~/.local/share/corvane; on Windows %LOCALAPPDATA%\corvane. Empty when the system gives none.
// Read from the environment at each call; nothing is created.
QString UserDataFolder();

} // namespace corvane
