#pragma once

#include <QString>

namespace corvane {

// The program's two folders inside the user's Documents folder.
inline constexpr char kEvaluationsFolderName[] = "Mes Evaluations";
inline constexpr char kImagesFolderName[] = "Mes Evaluations Images";

// The user's Documents folder as the desktop gives it, without a separator at the end; empty when
// the desktop gives none.
QString UserDocumentsFolder();

} // namespace corvane
