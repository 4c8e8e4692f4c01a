#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace corvane {

// The program's two folders inside the user's Documents folder.
inline constexpr char kEvaluationsFolderName[] = "Mes Evaluations";
inline constexpr char kImagesFolderName[] = "Mes Evaluations Images";

// The user's Documents folder as the desktop gives it, without a separator at the end; empty when
// the desktop gives none.
QString UserDocumentsFolder();

// The program's own folder among the user's data, without a separator at the end: where a user
// without administrator rights puts the reference documents. $XDG_DATA_HOME/corvane, by default
// ~/.local/share/corvane; on Windows %LOCALAPPDATA%\corvane. Empty when the system gives none.
// Read from the environment at each call; nothing is created.
QString UserDataFolder();

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
// The user's data folder of the XDG base directories, as the file system's bytes: XDG_DATA_HOME
// when it is an absolute path (a relative or empty one is ignored, as the rules ask), otherwise
// the home's .local/share; empty when the home is not an absolute path either.
QByteArray XdgDataHome();
#endif

} // namespace corvane
