#pragma once

#include <QByteArrayView>
#include <QImage>

#include <vector>

namespace corvane {

// The images of a Windows icon file whose images are 32-bit bitmaps, as the program's own icons
// are, read without any image plugin; empty when the file holds anything else or is damaged.
std::vector<QImage> DecodeIconFile(QByteArrayView bytes);

} // namespace corvane
