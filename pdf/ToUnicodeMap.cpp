#include "pdf/ToUnicodeMap.h"

namespace corvane {

namespace {

QByteArray Hex(quint32 value) {
    return QByteArray::number(value | 0x10000, 16).mid(1).toUpper();
}

QByteArray Utf16Hex(char32_t character) {
    if (character < 0x10000) {
        return Hex(character);
    }
    const char32_t rest = character - 0x10000;
    return Hex(0xd800 + (rest >> 10)) + Hex(0xdc00 + (rest & 0x3ff));
}

} // namespace

QByteArray ToUnicodeMap(const std::map<quint32, char32_t>& characters) {
    QByteArray map = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                     "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                     "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                     "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    // A reader takes at most a hundred entries a block.
    auto entry = characters.begin();
    while (entry != characters.end()) {
        QByteArray block;
        int count = 0;
        for (; entry != characters.end() && count < 100; ++entry) {
            if (entry->first > 0xffff) {
                continue;
            }
            block += '<' + Hex(entry->first) + "> <" + Utf16Hex(entry->second) + ">\n";
            ++count;
        }
        if (count > 0) {
            map += QByteArray::number(count) + " beginbfchar\n" + block + "endbfchar\n";
        }
    }
    map += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    return map;
}

} // namespace corvane
