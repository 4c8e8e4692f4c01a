#include "pdf/PdfSyntax.h"

#include <charconv>
#include <cmath>

namespace corvane {

void AppendPdfNumber(QByteArray& out, double value) {
    if (!std::isfinite(value)) {
        value = 0;
    }
    double rounded = std::round(value * 1000) / 1000;
    if (rounded == 0) {
        rounded = 0; // no "-0"
    }
    char text[32];
    const auto [end, error] =
        std::to_chars(text, text + sizeof text, rounded, std::chars_format::fixed, 3);
    if (error != std::errc()) {
        out += '0';
        return;
    }
    const char* last = end;
    while (last[-1] == '0') {
        --last;
    }
    if (last[-1] == '.') {
        --last;
    }
    out.append(text, last - text);
}

QByteArray PdfTextString(const QString& text) {
    QByteArray out = "<FEFF";
    for (const QChar unit : text) {
        out += QByteArray::number(unit.unicode() | 0x10000, 16).mid(1).toUpper();
    }
    out += '>';
    return out;
}

QByteArray PdfNameCharacters(const QString& text) {
    QByteArray out;
    for (const QChar c : text) {
        if (c.unicode() < 128 && c.isLetterOrNumber()) {
            out += char(c.unicode());
        }
    }
    return out.isEmpty() ? QByteArray("Font") : out;
}

} // namespace corvane
