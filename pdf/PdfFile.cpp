#include "pdf/PdfFile.h"

#include "pdf/PdfSyntax.h"
#include "pdf/ToUnicodeMap.h"

#include <QDateTime>
#include <QTimeZone>

namespace corvane {

namespace {

QByteArray Deflated(const QByteArray& data) {
    // qCompress puts the length in front of the zlib stream PDF readers expect.
    return qCompress(data).mid(4);
}

QByteArray Reference(int object) {
    return QByteArray::number(object) + " 0 R";
}

// "ABCDEF+": the mark of a face cut down, the same for the same glyphs.
QByteArray SubsetTag(const std::set<quint32>& glyphs) {
    quint32 hash = 2166136261u;
    for (const quint32 glyph : glyphs) {
        hash = (hash ^ glyph) * 16777619u;
    }
    QByteArray tag;
    for (int letter = 0; letter < 6; ++letter) {
        tag += char('A' + hash % 26);
        hash /= 26;
    }
    return tag + '+';
}

QByteArray Widths(const PdfFontUse& use) {
    const TrueTypeFont& face = *use.face;
    QByteArray widths = "[";
    quint32 next = 0;
    bool open = false;
    for (const quint32 glyph : use.glyphs) {
        if (!open || glyph != next) {
            if (open) {
                widths += "] ";
            }
            widths += QByteArray::number(glyph) + " [";
            open = true;
        } else {
            widths += ' ';
        }
        AppendPdfNumber(widths, qreal(face.Advance(glyph)) * 1000 / face.UnitsPerEm());
        next = glyph + 1;
    }
    widths += open ? "]]" : "]";
    return widths;
}

QByteArray PdfDate(const QDateTime& moment) {
    const int offset = moment.offsetFromUtc() / 60;
    QByteArray date = "(D:" + moment.toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1();
    date += offset < 0 ? '-' : '+';
    date += QByteArray::number(std::abs(offset) / 60).rightJustified(2, '0') + '\'' +
            QByteArray::number(std::abs(offset) % 60).rightJustified(2, '0') + "')";
    return date;
}

} // namespace

PdfFile::PdfFile(QSizeF pagePoints, int unitsPerInch)
    : pagePoints_(pagePoints), unitsPerInch_(unitsPerInch) {}

PdfCanvas& PdfFile::NewPage() {
    pages_.push_back(std::make_unique<PdfCanvas>(resources_));
    return *pages_.back();
}

int PdfFile::Reserve() {
    offsets_.push_back(-1);
    return int(offsets_.size());
}

void PdfFile::Begin(int object) {
    offsets_[std::size_t(object - 1)] = out_.size();
    out_ += QByteArray::number(object) + " 0 obj\n";
}

void PdfFile::Stream(int object, const QByteArray& dictionary, const QByteArray& data,
                     bool deflated) {
    const QByteArray packed = deflated ? Deflated(data) : data;
    Begin(object);
    out_ += "<< /Length " + QByteArray::number(packed.size()) +
            (deflated ? " /Filter /FlateDecode" : "") + dictionary + " >>\nstream\n" + packed +
            "\nendstream\nendobj\n";
}

int PdfFile::WriteFont(const PdfFontUse& use) {
    const TrueTypeFont& face = *use.face;
    const auto scaled = [&](int units) {
        return QByteArray::number(units * 1000 / face.UnitsPerEm());
    };
    const QByteArray name = '/' + SubsetTag(use.glyphs) + use.postScriptName;
    const QByteArray file = face.Subset(use.glyphs);
    const int fileObject = Reserve();
    Stream(fileObject, " /Length1 " + QByteArray::number(file.size()), file);
    const int unicodeObject = Reserve();
    // Left readable: which characters a document's text holds can be seen in the file.
    Stream(unicodeObject, {}, ToUnicodeMap(face.CharactersOf(use.glyphs)), false);
    const QRect box = face.BoundingBox();
    const int descriptor = Reserve();
    Begin(descriptor);
    out_ += "<< /Type /FontDescriptor /FontName " + name + " /Flags 4 /FontBBox [" +
            scaled(box.left()) + ' ' + scaled(box.top()) + ' ' + scaled(box.right()) + ' ' +
            scaled(box.bottom()) + "] /ItalicAngle 0 /Ascent " + scaled(face.Ascent()) +
            " /Descent " + scaled(face.Descent()) + " /CapHeight " + scaled(face.CapHeight()) +
            " /StemV 80 /FontFile2 " + Reference(fileObject) + " >>\nendobj\n";
    const int descendant = Reserve();
    Begin(descendant);
    out_ += "<< /Type /Font /Subtype /CIDFontType2 /BaseFont " + name +
            " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >>"
            " /FontDescriptor " +
            Reference(descriptor) + " /CIDToGIDMap /Identity /W " + Widths(use) + " >>\nendobj\n";
    const int font = Reserve();
    Begin(font);
    out_ += "<< /Type /Font /Subtype /Type0 /BaseFont " + name +
            " /Encoding /Identity-H /DescendantFonts [" + Reference(descendant) + "] /ToUnicode " +
            Reference(unicodeObject) + " >>\nendobj\n";
    return font;
}

int PdfFile::WriteImage(const PdfImageUse& use) {
    const int image = Reserve();
    Begin(image);
    out_ += "<< /Type /XObject /Subtype /Image /Width " + QByteArray::number(use.jpeg.width) +
            " /Height " + QByteArray::number(use.jpeg.height) + " /ColorSpace " +
            (use.jpeg.grey ? "/DeviceGray" : "/DeviceRGB") +
            " /BitsPerComponent 8 /Interpolate true /Filter /DCTDecode /Length " +
            QByteArray::number(use.jpeg.bytes.size()) + " >>\nstream\n" + use.jpeg.bytes +
            "\nendstream\nendobj\n";
    return image;
}

QByteArray PdfFile::Finish() {
    out_ = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    offsets_.clear();
    const int catalog = Reserve();
    const int tree = Reserve();
    const int info = Reserve();
    const int resources = Reserve();
    const qreal toPoints = 72.0 / unitsPerInch_;
    QByteArray start;
    AppendPdfNumber(start, toPoints);
    start += " 0 0 ";
    AppendPdfNumber(start, -toPoints);
    start += " 0 ";
    AppendPdfNumber(start, pagePoints_.height());
    start += " cm 2 J 2 j\n";
    QByteArray kids;
    QByteArray mediaBox = "[0 0 ";
    AppendPdfNumber(mediaBox, pagePoints_.width());
    mediaBox += ' ';
    AppendPdfNumber(mediaBox, pagePoints_.height());
    mediaBox += ']';
    for (const auto& page : pages_) {
        const int content = Reserve();
        Stream(content, {}, start + page->Content());
        const int object = Reserve();
        Begin(object);
        out_ += "<< /Type /Page /Parent " + Reference(tree) + " /MediaBox " + mediaBox +
                " /Resources " + Reference(resources) + " /Contents " + Reference(content) +
                " >>\nendobj\n";
        kids += Reference(object) + ' ';
    }
    QByteArray fonts;
    for (const auto& use : resources_.Fonts()) {
        if (!use->glyphs.empty()) {
            fonts += '/' + use->resourceName + ' ' + Reference(WriteFont(*use)) + ' ';
        }
    }
    QByteArray images;
    for (const PdfImageUse& use : resources_.Images()) {
        images += '/' + use.resourceName + ' ' + Reference(WriteImage(use)) + ' ';
    }
    Begin(resources);
    out_ += "<< /ProcSet [/PDF /Text /ImageB /ImageC] /Font << " + fonts + ">> /XObject << " +
            images + ">> >>\nendobj\n";
    Begin(tree);
    out_ += "<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(pages_.size()) +
            " >>\nendobj\n";
    Begin(catalog);
    out_ += "<< /Type /Catalog /Pages " + Reference(tree) +
            " /ViewerPreferences << /DisplayDocTitle true >> >>\nendobj\n";
    Begin(info);
    out_ += "<< /Title " + PdfTextString(title_) + " /Creator " + PdfTextString(creator_) +
            " /Producer " + PdfTextString(creator_) + " /CreationDate " +
            PdfDate(QDateTime::currentDateTime()) + " >>\nendobj\n";
    const qsizetype table = out_.size();
    out_ += "xref\n0 " + QByteArray::number(offsets_.size() + 1) + "\n0000000000 65535 f \n";
    for (const qsizetype offset : offsets_) {
        out_ += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    }
    out_ += "trailer\n<< /Size " + QByteArray::number(offsets_.size() + 1) + " /Root " +
            Reference(catalog) + " /Info " + Reference(info) + " >>\nstartxref\n" +
            QByteArray::number(table) + "\n%%EOF\n";
    return std::move(out_);
}

} // namespace corvane
