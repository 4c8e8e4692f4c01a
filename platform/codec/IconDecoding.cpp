#include "platform/codec/IconDecoding.h"

#include <QtEndian>

namespace corvane {

namespace {

constexpr qsizetype kDirectoryBytes = 6;
constexpr qsizetype kEntryBytes = 16;
constexpr qsizetype kBitmapHeaderBytes = 40;
constexpr int kLargestSide = 256;

quint32 Read32(QByteArrayView bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(bytes.data() + at);
}

quint16 Read16(QByteArrayView bytes, qsizetype at) {
    return qFromLittleEndian<quint16>(bytes.data() + at);
}

// One 32-bit bitmap: its header, then BGRA rows bottom-up; the mask after them is not needed,
// the alpha channel says the same.
QImage DecodeBitmap(QByteArrayView bitmap) {
    if (bitmap.size() < kBitmapHeaderBytes || Read32(bitmap, 0) != kBitmapHeaderBytes) {
        return {};
    }
    const auto width = static_cast<qint32>(Read32(bitmap, 4));
    const auto doubleHeight = static_cast<qint32>(Read32(bitmap, 8));
    const bool uncompressed32 = Read16(bitmap, 14) == 32 && Read32(bitmap, 16) == 0;
    if (!uncompressed32 || width <= 0 || width > kLargestSide || doubleHeight <= 0 ||
        doubleHeight % 2 != 0 || doubleHeight / 2 > kLargestSide) {
        return {};
    }
    const int height = doubleHeight / 2;
    const qsizetype rowBytes = qsizetype{width} * 4;
    if (bitmap.size() < kBitmapHeaderBytes + rowBytes * height) {
        return {};
    }
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        const char* row = bitmap.data() + kBitmapHeaderBytes + rowBytes * (height - 1 - y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const auto* pixel = reinterpret_cast<const uchar*>(row + 4 * x);
            out[x] = qRgba(pixel[2], pixel[1], pixel[0], pixel[3]);
        }
    }
    return image;
}

} // namespace

std::vector<QImage> DecodeIconFile(QByteArrayView bytes) {
    if (bytes.size() < kDirectoryBytes || Read16(bytes, 0) != 0 || Read16(bytes, 2) != 1) {
        return {};
    }
    const int count = Read16(bytes, 4);
    if (count == 0 || bytes.size() < kDirectoryBytes + kEntryBytes * count) {
        return {};
    }
    std::vector<QImage> images;
    for (int index = 0; index < count; ++index) {
        const qsizetype entry = kDirectoryBytes + kEntryBytes * index;
        const qint64 size = Read32(bytes, entry + 8);
        const qint64 offset = Read32(bytes, entry + 12);
        if (offset > bytes.size() || size > bytes.size() - offset) {
            return {};
        }
        QImage image = DecodeBitmap(bytes.sliced(offset, size));
        if (image.isNull()) {
            return {};
        }
        images.push_back(std::move(image));
    }
    return images;
}

} // namespace corvane
