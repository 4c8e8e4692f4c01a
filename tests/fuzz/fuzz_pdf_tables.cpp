#include "pdf/PdfJpeg.h"
#include "pdf/TrueTypeCharacters.h"

#include <cstdint>
#include <cstdlib>

// What the PDF writer reads of a face's character map and of a JPEG file's headers: any bytes
// give an answer within bounds, and only for the glyphs asked about.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // The glyphs of the first few dozen numbers, and others the bytes name.
    std::set<quint32> glyphs;
    for (quint32 glyph = 1; glyph <= 64; ++glyph) {
        glyphs.insert(glyph);
    }
    for (qsizetype at = 0; at + 1 < bytes.size() && glyphs.size() < 128; at += 7) {
        glyphs.insert(quint32(uchar(bytes[at])) << 8 | uchar(bytes[at + 1]));
    }
    for (const auto& [glyph, character] : corvane::CmapCharacters(bytes, glyphs)) {
        if (glyphs.count(glyph) == 0 || glyph == 0 || character > 0x10ffff) {
            std::abort();
        }
    }
    if (const std::optional<corvane::PdfJpeg> jpeg = corvane::ReadPdfJpeg(bytes)) {
        if (jpeg->width <= 0 || jpeg->height <= 0 || jpeg->bytes != bytes) {
            std::abort();
        }
    }
    return 0;
}
