#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QString>

#include <optional>

namespace corvane {

// Decodes a baseline or progressive JPEG, grayscale or colour, into an RGB32 picture. A corrupt or
// truncated picture, or one of absurd size, gives nothing.
std::optional<QImage> DecodeJpeg(QByteArrayView bytes);

// Encodes the picture as 24-bit RGB in a JFIF file with the library's default settings.
std::optional<QByteArray> EncodeJpeg(const QImage& image, int quality, bool progressive = false);

} // namespace corvane
