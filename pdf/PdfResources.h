#pragma once

#include "pdf/PdfJpeg.h"
#include "pdf/TrueTypeFont.h"

#include <QByteArray>
#include <QRawFont>

#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

namespace corvane {

// A face a document's text is drawn in, and the glyphs it draws of it.
struct PdfFontUse {
    QByteArray resourceName; // "F1", ...
    QByteArray postScriptName;
    std::shared_ptr<const TrueTypeFont> face;
    std::set<quint32> glyphs;
};

// A picture a document shows, once however often.
struct PdfImageUse {
    QByteArray resourceName; // "Im1", ...
    PdfJpeg jpeg;
};

// The faces and pictures the pages of one document share.
class PdfResources {
public:
    // Nothing for a face without TrueType outlines: its glyphs are then drawn as shapes.
    PdfFontUse* Font(const QRawFont& font);
    const QByteArray& Image(const PdfJpeg& jpeg);

    const std::vector<std::unique_ptr<PdfFontUse>>& Fonts() const { return fonts_; }
    const std::vector<PdfImageUse>& Images() const { return images_; }

private:
    std::vector<std::pair<QRawFont, PdfFontUse*>> seen_;
    std::map<QByteArray, PdfFontUse*> byFace_;
    std::vector<std::unique_ptr<PdfFontUse>> fonts_;
    std::vector<PdfImageUse> images_;
};

} // namespace corvane
