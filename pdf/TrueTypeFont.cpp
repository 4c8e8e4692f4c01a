#include "pdf/TrueTypeFont.h"

#include "pdf/BigEndian.h"

#include <algorithm>
#include <vector>

namespace corvane {

namespace {

constexpr quint32 kMoreComponents = 0x0020;
constexpr quint32 kArgumentsAreWords = 0x0001;
constexpr quint32 kOneScale = 0x0008;
constexpr quint32 kTwoScales = 0x0040;
constexpr quint32 kTwoByTwo = 0x0080;

quint32 Checksum(const QByteArray& table) {
    quint32 sum = 0;
    for (qsizetype at = 0; at < table.size(); at += 4) {
        quint32 word = 0;
        for (qsizetype byte = 0; byte < 4; ++byte) {
            word = word << 8 | (at + byte < table.size() ? uchar(table[at + byte]) : 0);
        }
        sum += word;
    }
    return sum;
}

void PadToFour(QByteArray& data) {
    while (data.size() % 4 != 0) {
        data += '\0';
    }
}

// The face file of the given tables, in the order of their tags.
QByteArray FaceFile(const std::map<QByteArray, QByteArray>& tables) {
    const quint32 count = quint32(tables.size());
    quint32 power = 1;
    quint32 log = 0;
    while (power * 2 <= count) {
        power *= 2;
        ++log;
    }
    QByteArray file;
    AppendU32(file, 0x00010000);
    AppendU16(file, count);
    AppendU16(file, power * 16);
    AppendU16(file, log);
    AppendU16(file, count * 16 - power * 16);
    quint32 offset = 12 + 16 * count;
    for (const auto& [tag, table] : tables) {
        file += tag;
        AppendU32(file, Checksum(table));
        AppendU32(file, offset);
        AppendU32(file, quint32(table.size()));
        offset += quint32((table.size() + 3) / 4 * 4);
    }
    for (const auto& [tag, table] : tables) {
        file += table;
        PadToFour(file);
    }
    return file;
}

} // namespace

std::optional<TrueTypeFont> TrueTypeFont::Read(const QRawFont& font) {
    TrueTypeFont face;
    face.head_ = font.fontTable("head");
    face.hhea_ = font.fontTable("hhea");
    face.maxp_ = font.fontTable("maxp");
    face.hmtx_ = font.fontTable("hmtx");
    face.loca_ = font.fontTable("loca");
    face.glyf_ = font.fontTable("glyf");
    face.cmap_ = font.fontTable("cmap");
    face.cvt_ = font.fontTable("cvt ");
    face.fpgm_ = font.fontTable("fpgm");
    face.prep_ = font.fontTable("prep");
    if (face.head_.size() < 54 || face.hhea_.size() < 36 || face.maxp_.size() < 6 ||
        face.glyf_.isEmpty()) {
        return std::nullopt;
    }
    face.unitsPerEm_ = int(ReadU16(face.head_, 18));
    face.glyphCount_ = int(ReadU16(face.maxp_, 4));
    face.metricsCount_ = int(ReadU16(face.hhea_, 34));
    face.longOffsets_ = ReadI16(face.head_, 50) == 1;
    const qsizetype offsetSize = face.longOffsets_ ? 4 : 2;
    if (face.unitsPerEm_ < 16 || face.glyphCount_ < 1 || face.metricsCount_ < 1 ||
        face.metricsCount_ > face.glyphCount_ ||
        face.hmtx_.size() < 4 * face.metricsCount_ + 2 * (face.glyphCount_ - face.metricsCount_) ||
        face.loca_.size() < offsetSize * (face.glyphCount_ + 1)) {
        return std::nullopt;
    }
    face.box_ = QRect(QPoint(ReadI16(face.head_, 36), ReadI16(face.head_, 38)),
                      QPoint(ReadI16(face.head_, 40), ReadI16(face.head_, 42)));
    face.ascent_ = ReadI16(face.hhea_, 4);
    face.descent_ = ReadI16(face.hhea_, 6);
    const QByteArray os2 = font.fontTable("OS/2");
    face.capHeight_ = ReadU16(os2, 0) >= 2 && os2.size() >= 90 ? ReadI16(os2, 88) : face.ascent_;
    return face;
}

int TrueTypeFont::Advance(quint32 glyph) const {
    const quint32 entry = std::min(glyph, quint32(metricsCount_ - 1));
    return int(ReadU16(hmtx_, 4 * qsizetype(entry)));
}

QByteArray TrueTypeFont::Glyph(quint32 glyph) const {
    if (!HasGlyph(glyph)) {
        return {};
    }
    const auto offset = [&](quint32 index) -> qsizetype {
        return longOffsets_ ? qsizetype(ReadU32(loca_, 4 * qsizetype(index)))
                            : 2 * qsizetype(ReadU16(loca_, 2 * qsizetype(index)));
    };
    const qsizetype start = offset(glyph);
    const qsizetype end = offset(glyph + 1);
    if (start >= end || end > glyf_.size()) {
        return {};
    }
    return glyf_.mid(start, end - start);
}

std::set<quint32> TrueTypeFont::WithComponents(const std::set<quint32>& glyphs) const {
    std::set<quint32> all{0};
    std::vector<quint32> pending(glyphs.begin(), glyphs.end());
    while (!pending.empty()) {
        const quint32 glyph = pending.back();
        pending.pop_back();
        if (!HasGlyph(glyph) || !all.insert(glyph).second) {
            continue;
        }
        const QByteArray data = Glyph(glyph);
        if (ReadI16(data, 0) >= 0) {
            continue;
        }
        qsizetype at = 10;
        quint32 flags = kMoreComponents;
        while ((flags & kMoreComponents) != 0 && at + 4 <= data.size()) {
            flags = ReadU16(data, at);
            pending.push_back(ReadU16(data, at + 2));
            at += 4 + ((flags & kArgumentsAreWords) != 0 ? 4 : 2);
            at += (flags & kTwoByTwo) != 0    ? 8
                  : (flags & kTwoScales) != 0 ? 4
                  : (flags & kOneScale) != 0  ? 2
                                              : 0;
        }
    }
    return all;
}

QByteArray TrueTypeFont::Subset(const std::set<quint32>& glyphs) const {
    const std::set<quint32> kept = WithComponents(glyphs);
    QByteArray glyf;
    QByteArray loca;
    QByteArray hmtx(hmtx_.size(), '\0');
    for (quint32 glyph = 0; glyph < quint32(glyphCount_); ++glyph) {
        AppendU32(loca, quint32(glyf.size()));
        if (kept.count(glyph) == 0) {
            continue;
        }
        glyf += Glyph(glyph);
        PadToFour(glyf);
        // Unused glyphs' metrics stay zero, which packs well.
        if (glyph < quint32(metricsCount_)) {
            hmtx.replace(4 * qsizetype(glyph), 4, hmtx_.mid(4 * qsizetype(glyph), 4));
        } else {
            const qsizetype at = 4 * qsizetype(metricsCount_) + 2 * (glyph - metricsCount_);
            hmtx.replace(at, 2, hmtx_.mid(at, 2));
        }
    }
    AppendU32(loca, quint32(glyf.size()));
    if (hmtx.size() >= 4 * metricsCount_) {
        // The last full entry's advance also serves the glyphs after it.
        const qsizetype last = 4 * qsizetype(metricsCount_ - 1);
        hmtx.replace(last, 2, hmtx_.mid(last, 2));
    }
    QByteArray head = head_;
    WriteU16(head, 8, 0); // the whole file's checksum adjustment, which readers ignore
    WriteU16(head, 10, 0);
    WriteU16(head, 50, 1); // long offsets
    std::map<QByteArray, QByteArray> tables{{"glyf", glyf}, {"head", head}, {"hhea", hhea_},
                                            {"hmtx", hmtx}, {"loca", loca}, {"maxp", maxp_}};
    for (const auto& [tag, table] :
         {std::pair{"cvt ", &cvt_}, {"fpgm", &fpgm_}, {"prep", &prep_}}) {
        if (!table->isEmpty()) {
            tables.emplace(tag, *table);
        }
    }
    return FaceFile(tables);
}

} // namespace corvane
