#pragma once

#include <QByteArray>
#include <QRawFont>
#include <QRect>

#include <map>
#include <optional>
#include <set>

namespace corvane {

// A TrueType face read from its tables: what a PDF says of it, and the file a PDF embeds, cut
// down to the glyphs a document draws.
class TrueTypeFont {
public:
    // Nothing for a face that has no TrueType outlines (a CFF face) or whose tables do not hold
    // together.
    static std::optional<TrueTypeFont> Read(const QRawFont& font);

    int UnitsPerEm() const { return unitsPerEm_; }
    int GlyphCount() const { return glyphCount_; }
    bool HasGlyph(quint32 glyph) const { return glyph < quint32(glyphCount_); }
    // In font units.
    int Advance(quint32 glyph) const;
    QRect BoundingBox() const { return box_; }
    int Ascent() const { return ascent_; }
    int Descent() const { return descent_; }
    int CapHeight() const { return capHeight_; }

    // The character each glyph stands for in the face's character map, the lowest when several;
    // a glyph no character maps to is left out.
    std::map<quint32, char32_t> CharactersOf(const std::set<quint32>& glyphs) const;

    // A face file holding only the given glyphs, those they are built from and the empty glyph,
    // each under its own number.
    QByteArray Subset(const std::set<quint32>& glyphs) const;

private:
    QByteArray Glyph(quint32 glyph) const;
    std::set<quint32> WithComponents(const std::set<quint32>& glyphs) const;

    QByteArray head_, hhea_, maxp_, hmtx_, loca_, glyf_, cmap_;
    QByteArray cvt_, fpgm_, prep_;
    int unitsPerEm_ = 1000;
    int glyphCount_ = 0;
    int metricsCount_ = 0;
    bool longOffsets_ = false;
    QRect box_;
    int ascent_ = 0;
    int descent_ = 0;
    int capHeight_ = 0;
};

} // namespace corvane
