#pragma once

#include <QByteArray>
#include <QString>

namespace corvane {

// Appends a number as PDF writes it: at most three decimals, without the trailing zeros, a dot
// whatever the locale.
void AppendPdfNumber(QByteArray& out, double value);

// A text string, for the document's information: UTF-16 with its byte order mark, in hex.
QByteArray PdfTextString(const QString& text);

// A name's characters, keeping only letters and digits (a font's PostScript name, say).
QByteArray PdfNameCharacters(const QString& text);

} // namespace corvane
