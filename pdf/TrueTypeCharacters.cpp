#include "pdf/TrueTypeCharacters.h"

#include "pdf/BigEndian.h"
#include "pdf/TrueTypeFont.h"

namespace corvane {

namespace {

void Keep(std::map<quint32, char32_t>& characters, const std::set<quint32>& glyphs, quint32 glyph,
          char32_t character) {
    if (glyph == 0 || glyphs.count(glyph) == 0) {
        return;
    }
    const auto [found, added] = characters.emplace(glyph, character);
    if (!added && character < found->second) {
        found->second = character;
    }
}

// Format 4: segments of the 16-bit characters.
void ReadSegments(const QByteArray& cmap, qsizetype table, const std::set<quint32>& glyphs,
                  std::map<quint32, char32_t>& characters) {
    const qsizetype segments = ReadU16(cmap, table + 6) / 2;
    const qsizetype ends = table + 14;
    const qsizetype starts = ends + 2 * segments + 2;
    const qsizetype deltas = starts + 2 * segments;
    const qsizetype rangeOffsets = deltas + 2 * segments;
    for (qsizetype segment = 0; segment < segments; ++segment) {
        const quint32 start = ReadU16(cmap, starts + 2 * segment);
        const quint32 end = ReadU16(cmap, ends + 2 * segment);
        const quint32 delta = ReadU16(cmap, deltas + 2 * segment);
        const qsizetype rangeAt = rangeOffsets + 2 * segment;
        const quint32 rangeOffset = ReadU16(cmap, rangeAt);
        for (quint32 character = start; character <= end && character < 0xffff; ++character) {
            quint32 glyph = character;
            if (rangeOffset != 0) {
                glyph = ReadU16(cmap, rangeAt + rangeOffset + 2 * (character - start));
                if (glyph == 0) {
                    continue;
                }
            }
            Keep(characters, glyphs, (glyph + delta) & 0xffff, character);
        }
    }
}

// Format 12: groups of characters of consecutive glyphs, over all of Unicode.
void ReadGroups(const QByteArray& cmap, qsizetype table, const std::set<quint32>& glyphs,
                std::map<quint32, char32_t>& characters) {
    const quint32 groups = ReadU32(cmap, table + 12);
    for (quint32 group = 0; group < groups; ++group) {
        const qsizetype at = table + 16 + 12 * qsizetype(group);
        if (at + 12 > cmap.size()) {
            return;
        }
        const quint32 start = ReadU32(cmap, at);
        const quint32 end = ReadU32(cmap, at + 4);
        const quint32 first = ReadU32(cmap, at + 8);
        if (end < start || end > 0x10ffff) {
            continue;
        }
        const quint32 last = first + (end - start);
        for (auto glyph = glyphs.lower_bound(first); glyph != glyphs.end() && *glyph <= last;
             ++glyph) {
            Keep(characters, glyphs, *glyph, char32_t(start + (*glyph - first)));
        }
    }
}

} // namespace

std::map<quint32, char32_t> CmapCharacters(const QByteArray& cmap,
                                           const std::set<quint32>& glyphs) {
    qsizetype segments = -1;
    qsizetype groups = -1;
    const quint32 count = ReadU16(cmap, 2);
    for (quint32 index = 0; index < count; ++index) {
        const qsizetype record = 4 + 8 * qsizetype(index);
        const quint32 platform = ReadU16(cmap, record);
        const quint32 encoding = ReadU16(cmap, record + 2);
        const qsizetype table = ReadU32(cmap, record + 4);
        const bool unicode = platform == 0 || (platform == 3 && (encoding == 1 || encoding == 10));
        if (!unicode) {
            continue;
        }
        const quint32 format = ReadU16(cmap, table);
        if (format == 4 && segments < 0) {
            segments = table;
        } else if (format == 12 && groups < 0) {
            groups = table;
        }
    }
    std::map<quint32, char32_t> characters;
    if (groups >= 0) {
        ReadGroups(cmap, groups, glyphs, characters);
    } else if (segments >= 0) {
        ReadSegments(cmap, segments, glyphs, characters);
    }
    return characters;
}

std::map<quint32, char32_t> TrueTypeFont::CharactersOf(const std::set<quint32>& glyphs) const {
    return CmapCharacters(cmap_, glyphs);
}

} // namespace corvane
