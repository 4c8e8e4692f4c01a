#include "pdf/PdfJpeg.h"

#include "pdf/BigEndian.h"

namespace corvane {

namespace {

bool IsFrameHeader(quint32 marker) {
    // SOF0 to SOF15, less DHT (C4), JPG (C8) and DAC (CC).
    return marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
}

} // namespace

std::optional<PdfJpeg> ReadPdfJpeg(const QByteArray& bytes) {
    if (ReadU16(bytes, 0) != 0xffd8) {
        return std::nullopt;
    }
    qsizetype at = 2;
    while (at + 4 <= bytes.size()) {
        if (uchar(bytes[at]) != 0xff) {
            return std::nullopt;
        }
        const quint32 marker = uchar(bytes[at + 1]);
        if (marker == 0xff) {
            ++at; // fill byte
            continue;
        }
        const qsizetype length = ReadU16(bytes, at + 2);
        if (marker == 0xd9 || marker == 0xda || length < 2) {
            return std::nullopt; // image data or the end before any frame header
        }
        if (IsFrameHeader(marker)) {
            const int precision = int(ReadU16(bytes, at + 3) & 0xff);
            const int height = int(ReadU16(bytes, at + 5));
            const int width = int(ReadU16(bytes, at + 7));
            const int components = int(ReadU16(bytes, at + 8) & 0xff);
            if (precision != 8 || width == 0 || height == 0 ||
                (components != 1 && components != 3)) {
                return std::nullopt;
            }
            return PdfJpeg{bytes, width, height, components == 1};
        }
        at += 2 + length;
    }
    return std::nullopt;
}

} // namespace corvane
