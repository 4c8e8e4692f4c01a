#pragma once

#include <QByteArray>
#include <QImage>

#include <vector>

namespace corvane::artwork {

// A Windows icon file holding each picture as a 32-bit image with its alpha channel.
QByteArray EncodeIconFile(const std::vector<QImage>& images);

} // namespace corvane::artwork
