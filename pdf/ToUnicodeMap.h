#pragma once

#include <QByteArray>

#include <map>

namespace corvane {

// The CMap that tells a PDF reader which character each glyph of a face stands for, so that
// its text can be searched and copied.
QByteArray ToUnicodeMap(const std::map<quint32, char32_t>& characters);

} // namespace corvane
