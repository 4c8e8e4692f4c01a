#pragma once

#include <QByteArray>

#include <map>
#include <set>

namespace corvane {

// The character each of the glyphs stands for in a face's character map (its "cmap" table), the
// lowest when several do; a glyph no character maps to is left out.
std::map<quint32, char32_t> CmapCharacters(const QByteArray& cmap, const std::set<quint32>& glyphs);

} // namespace corvane
