#include "tools/artwork/IconFile.h"

#include <QtEndian>

namespace corvane::artwork {

namespace {

constexpr int kDirectoryBytes = 6;
constexpr int kEntryBytes = 16;
constexpr int kBitmapHeaderBytes = 40;

void Put16(QByteArray& out, int value) {
    const quint16 little = qToLittleEndian(static_cast<quint16>(value));
    out.append(reinterpret_cast<const char*>(&little), sizeof little);
}

void Put32(QByteArray& out, qint64 value) {
    const quint32 little = qToLittleEndian(static_cast<quint32>(value));
    out.append(reinterpret_cast<const char*>(&little), sizeof little);
}

// The mask of an icon image has one bit a pixel, rows padded to four bytes.
int MaskRowBytes(int width) {
    return (width + 31) / 32 * 4;
}

// A bitmap as icon files hold it: the header (twice the height, for colours and mask), the
// colour rows bottom-up in BGRA order, then the mask rows bottom-up, set where transparent.
QByteArray EncodeIconImage(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width();
    const int height = image.height();
    const int maskRowBytes = MaskRowBytes(width);
    QByteArray out;
    Put32(out, kBitmapHeaderBytes);
    Put32(out, width);
    Put32(out, 2 * height);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);
    Put32(out,
          static_cast<qint64>(width) * height * 4 + static_cast<qint64>(maskRowBytes) * height);
    for (int unused = 0; unused < 4; ++unused) {
        Put32(out, 0);
    }
    for (int y = height - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            out.append(static_cast<char>(qBlue(row[x])));
            out.append(static_cast<char>(qGreen(row[x])));
            out.append(static_cast<char>(qRed(row[x])));
            out.append(static_cast<char>(qAlpha(row[x])));
        }
    }
    for (int y = height - 1; y >= 0; --y) {
        QByteArray mask(maskRowBytes, '\0');
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            if (qAlpha(row[x]) == 0) {
                mask[x / 8] = static_cast<char>(mask[x / 8] | (0x80 >> (x % 8)));
            }
        }
        out.append(mask);
    }
    return out;
}

} // namespace

QByteArray EncodeIconFile(const std::vector<QImage>& images) {
    QByteArray out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, static_cast<int>(images.size()));
    std::vector<QByteArray> bitmaps;
    for (const QImage& image : images) {
        bitmaps.push_back(EncodeIconImage(image));
    }
    qint64 offset = kDirectoryBytes + kEntryBytes * static_cast<qint64>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        // A side of 256 is written as 0; icons here are at most 48 pixels.
        out.append(static_cast<char>(images[i].width() & 0xFF));
        out.append(static_cast<char>(images[i].height() & 0xFF));
        out.append('\0');
        out.append('\0');
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, bitmaps[i].size());
        Put32(out, offset);
        offset += bitmaps[i].size();
    }
    for (const QByteArray& bitmap : bitmaps) {
        out.append(bitmap);
    }
    return out;
}

} // namespace corvane::artwork
