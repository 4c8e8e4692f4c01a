#include "assets/ProgramFonts.h"

#include <QDirIterator>
#include <QFont>
#include <QFontDatabase>

namespace corvane {

void AddProgramFonts() {
    bool added = false;
    QDirIterator fonts(QStringLiteral(":/fonts"), {QStringLiteral("*.ttf")}, QDir::Files);
    while (fonts.hasNext()) {
        added = QFontDatabase::addApplicationFont(fonts.next()) >= 0 || added;
    }
    if (added) {
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    }
}

} // namespace corvane
