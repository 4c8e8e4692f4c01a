#pragma once

#include <QString>

namespace corvane {

// What a name sorts by in the reports, the same on every system: its letters without accents or
// case ("É" as "e", "Œ" as "oe"), compared character by character, so that punctuation and digits
// come before letters. The system's collator is not used: Windows and ICU disagree on symbols,
// and a summary must list the same evaluations in the same order wherever it is made.
QString FrenchSortKey(const QString& name);

} // namespace corvane
