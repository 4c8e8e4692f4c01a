#include "report/FrenchNameOrder.h"

namespace corvane {

QString FrenchSortKey(const QString& name) {
    const QString decomposed = name.normalized(QString::NormalizationForm_KD).toCaseFolded();
    QString key;
    key.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing) {
            continue;
        }
        if (c == QChar(0x0153)) { // œ
            key += QStringLiteral("oe");
        } else if (c == QChar(0x00E6)) { // æ
            key += QStringLiteral("ae");
        } else {
            key += c;
        }
    }
    return key;
}

} // namespace corvane
