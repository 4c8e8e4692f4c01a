#pragma once

#include <QByteArray>

#include <optional>

namespace corvane {

// A JPEG file a PDF holds as it is: its reader decodes it.
struct PdfJpeg {
    QByteArray bytes;
    int width = 0;
    int height = 0;
    bool grey = false;
};

// The file with its size and colours read from its frame header; nothing when it has none, or
// is of a kind a PDF reader does not take as it is (CMYK, twelve bits).
std::optional<PdfJpeg> ReadPdfJpeg(const QByteArray& bytes);

} // namespace corvane
