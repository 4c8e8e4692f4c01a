#include "platform/codec/JpegCodec.h"

#include <QBuffer>
#include <QPainter>
#include <QRandomGenerator>
#include <QTest>

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

using namespace corvane;

namespace {

const QColor kPatchColours[] = {{220, 30, 40},  {30, 160, 60},   {40, 60, 200},
                                {250, 220, 40}, {255, 255, 255}, {20, 20, 20}};
constexpr int kPatchCount = 6;

// Flat patches across the top half, a colour gradient and a grey gradient below.
QImage DrawPicture(QSize size, QImage::Format format) {
    QImage image(size, format);
    QPainter painter(&image);
    const int patchWidth = size.width() / kPatchCount;
    for (int i = 0; i < kPatchCount; ++i) {
        const int right = i == kPatchCount - 1 ? size.width() : (i + 1) * patchWidth;
        painter.fillRect(i * patchWidth, 0, right - i * patchWidth, size.height() / 2,
                         kPatchColours[i]);
    }
    QLinearGradient colours(0, 0, size.width() / 2, 0);
    colours.setColorAt(0, QColor(255, 0, 0));
    colours.setColorAt(1, QColor(0, 0, 255));
    painter.fillRect(0, size.height() / 2, size.width() / 2, size.height(), colours);
    QLinearGradient greys(0, size.height() / 2, 0, size.height());
    greys.setColorAt(0, Qt::black);
    greys.setColorAt(1, Qt::white);
    painter.fillRect(size.width() / 2, size.height() / 2, size.width(), size.height(), greys);
    return image;
}

QImage TestPicture() {
    return DrawPicture({240, 160}, QImage::Format_RGB32);
}

int ChannelError(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

double MeanChannelError(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * a.width() * a.height());
}

struct Segment {
    uchar marker;
    qsizetype offset;
};

// The marker segments from the start of the file up to the start of the entropy-coded data.
QList<Segment> HeaderSegments(const QByteArray& bytes, qsizetype* entropyStart = nullptr) {
    QList<Segment> segments;
    qsizetype pos = 2;
    while (pos + 4 <= bytes.size() && uchar(bytes[pos]) == 0xFF) {
        const uchar marker = uchar(bytes[pos + 1]);
        const qsizetype length = (uchar(bytes[pos + 2]) << 8) | uchar(bytes[pos + 3]);
        segments.append({marker, pos});
        pos += 2 + length;
        if (marker == 0xDA) {
            break;
        }
    }
    if (entropyStart != nullptr) {
        *entropyStart = pos;
    }
    return segments;
}

QByteArray Encoded(bool progressive = false) {
    return EncodeJpeg(TestPicture(), 100, progressive).value_or(QByteArray());
}

// Written with libjpeg directly: the codec itself only writes colour.
QByteArray GrayscaleJpeg(const QImage& gray, bool progressive) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = gray.width();
    cinfo.image_height = gray.height();
    cinfo.input_components = 1;
    cinfo.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    if (progressive) {
        jpeg_simple_progression(&cinfo);
    }
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<uchar*>(gray.constScanLine(cinfo.next_scanline));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    const QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(size));
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return bytes;
}

} // namespace

class TestJpegCodec : public QObject {
    Q_OBJECT

private slots:
    void roundTripKeepsSizeAndColours_data();
    void roundTripKeepsSizeAndColours();
    void encodedFileIsJfifWithItsFrameKind_data();
    void encodedFileIsJfifWithItsFrameKind();
    void qualitySetsTheQuantisationTables_data();
    void qualitySetsTheQuantisationTables();
    void grayscaleDecodesToRgb_data();
    void grayscaleDecodesToRgb();
    void corruptPictureGivesNothing_data();
    void corruptPictureGivesNothing();
    void sidesOver16384AreRejected_data();
    void sidesOver16384AreRejected();
    void truncatedPictureGivesNothing_data();
    void truncatedPictureGivesNothing();
    void emptyPictureEncodesToNothing();
};

void TestJpegCodec::roundTripKeepsSizeAndColours_data() {
    QTest::addColumn<QImage::Format>("format");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("progressive");
    QTest::newRow("rgb32 baseline") << QImage::Format_RGB32 << QSize(240, 160) << false;
    QTest::newRow("rgb32 progressive") << QImage::Format_RGB32 << QSize(240, 160) << true;
    QTest::newRow("argb32") << QImage::Format_ARGB32 << QSize(240, 160) << false;
    QTest::newRow("rgb888 progressive") << QImage::Format_RGB888 << QSize(240, 160) << true;
    QTest::newRow("grayscale8") << QImage::Format_Grayscale8 << QSize(240, 160) << false;
    QTest::newRow("odd size") << QImage::Format_RGB32 << QSize(241, 163) << false;
    QTest::newRow("wide banner") << QImage::Format_RGB32 << QSize(795, 91) << false;
}

void TestJpegCodec::roundTripKeepsSizeAndColours() {
    QFETCH(QImage::Format, format);
    QFETCH(QSize, size);
    QFETCH(bool, progressive);
    const QImage source = DrawPicture(size, format);

    const std::optional<QByteArray> bytes = EncodeJpeg(source, 100, progressive);
    QVERIFY(bytes.has_value());
    const std::optional<QImage> decoded = DecodeJpeg(*bytes);
    QVERIFY(decoded.has_value());

    QCOMPARE(decoded->size(), size);
    QVERIFY2(MeanChannelError(source, *decoded) < 2.0,
             qPrintable(QString::number(MeanChannelError(source, *decoded))));
    const int patchWidth = size.width() / kPatchCount;
    for (int i = 0; i < kPatchCount; ++i) {
        const QPoint centre(i * patchWidth + patchWidth / 2, size.height() / 4);
        QVERIFY2(ChannelError(source.pixel(centre), decoded->pixel(centre)) <= 6,
                 qPrintable(QString("patch %1").arg(i)));
    }
}

void TestJpegCodec::encodedFileIsJfifWithItsFrameKind_data() {
    QTest::addColumn<bool>("progressive");
    QTest::addColumn<int>("frameMarker");
    QTest::newRow("baseline") << false << 0xC0;
    QTest::newRow("progressive") << true << 0xC2;
}

void TestJpegCodec::encodedFileIsJfifWithItsFrameKind() {
    QFETCH(bool, progressive);
    QFETCH(int, frameMarker);
    const QByteArray bytes = Encoded(progressive);

    QVERIFY(bytes.startsWith(QByteArray::fromHex("FFD8FFE0")));
    QCOMPARE(bytes.mid(6, 5), QByteArray("JFIF\0", 5));
    QList<int> frames;
    for (const Segment& segment : HeaderSegments(bytes)) {
        const bool isFrame = segment.marker >= 0xC0 && segment.marker <= 0xCF &&
                             segment.marker != 0xC4 && segment.marker != 0xC8 &&
                             segment.marker != 0xCC;
        if (isFrame) {
            frames.append(segment.marker);
        }
    }
    QCOMPARE(frames, QList<int>{frameMarker});
    QVERIFY(bytes.endsWith(QByteArray::fromHex("FFD9")));
    QVERIFY(DecodeJpeg(bytes).has_value());
}

void TestJpegCodec::qualitySetsTheQuantisationTables_data() {
    QTest::addColumn<int>("quality");
    QTest::addColumn<int>("firstLuminanceStep");
    // The standard luminance table starts at 16 and scales by 50 / quality below 50.
    QTest::newRow("100") << 100 << 1;
    QTest::newRow("50") << 50 << 16;
    QTest::newRow("25") << 25 << 32;
}

void TestJpegCodec::qualitySetsTheQuantisationTables() {
    QFETCH(int, quality);
    QFETCH(int, firstLuminanceStep);
    const QByteArray bytes = EncodeJpeg(TestPicture(), quality).value_or(QByteArray());
    const QList<Segment> segments = HeaderSegments(bytes);
    const auto table = std::find_if(segments.begin(), segments.end(),
                                    [](const Segment& s) { return s.marker == 0xDB; });
    QVERIFY(table != segments.end());
    // FF DB, length, precision and table number, then the first step.
    QCOMPARE(int(uchar(bytes[table->offset + 5])), firstLuminanceStep);
}

void TestJpegCodec::grayscaleDecodesToRgb_data() {
    QTest::addColumn<bool>("progressive");
    QTest::newRow("baseline") << false;
    QTest::newRow("progressive") << true;
}

void TestJpegCodec::grayscaleDecodesToRgb() {
    QFETCH(bool, progressive);
    const QImage gray = TestPicture().convertToFormat(QImage::Format_Grayscale8);
    const QByteArray bytes = GrayscaleJpeg(gray, progressive);

    const std::optional<QImage> decoded = DecodeJpeg(bytes);
    QVERIFY(decoded.has_value());
    QVERIFY(decoded->format() == QImage::Format_RGB888 ||
            decoded->format() == QImage::Format_RGB32);
    QCOMPARE(decoded->size(), gray.size());
    QVERIFY(MeanChannelError(gray, *decoded) < 1.0);
    for (int y = 0; y < decoded->height(); ++y) {
        for (int x = 0; x < decoded->width(); ++x) {
            const QRgb p = decoded->pixel(x, y);
            if (qRed(p) != qGreen(p) || qGreen(p) != qBlue(p)) {
                QFAIL(qPrintable(QString("pixel %1,%2 is not grey").arg(x).arg(y)));
            }
        }
    }
}

void TestJpegCodec::corruptPictureGivesNothing_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray valid = Encoded();
    qsizetype entropyStart = 0;
    HeaderSegments(valid, &entropyStart);
    const qsizetype middle = entropyStart + (valid.size() - entropyStart) / 2;

    QByteArray random = valid.left(entropyStart);
    QRandomGenerator generator(7);
    while (random.size() < valid.size()) {
        random.append(char(generator.bounded(256)));
    }
    QByteArray inverted = valid;
    for (qsizetype i = middle; i < middle + 32; ++i) {
        inverted[i] = char(~uchar(inverted[i]));
    }
    QByteArray earlyEnd = valid;
    qsizetype at = middle;
    while (uchar(earlyEnd[at - 1]) == 0xFF) {
        ++at;
    }
    earlyEnd.replace(at, 2, QByteArray::fromHex("FFD9"));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    TestPicture().save(&buffer, "PNG");

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not a JPEG") << png;
    QTest::newRow("start of image only") << QByteArray::fromHex("FFD8");
    QTest::newRow("random bytes after the header") << random;
    QTest::newRow("entropy bytes inverted") << inverted;
    QTest::newRow("end of image inside the entropy data") << earlyEnd;
}

void TestJpegCodec::corruptPictureGivesNothing() {
    QFETCH(QByteArray, bytes);
    QVERIFY(!DecodeJpeg(bytes).has_value());
    QVERIFY(DecodeJpeg(Encoded()).has_value());
}

void TestJpegCodec::sidesOver16384AreRejected_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("decodes");
    QTest::newRow("16384 wide") << QSize(16384, 8) << true;
    QTest::newRow("16385 wide") << QSize(16385, 8) << false;
    QTest::newRow("16385 high") << QSize(8, 16385) << false;
}

void TestJpegCodec::sidesOver16384AreRejected() {
    QFETCH(QSize, size);
    QFETCH(bool, decodes);
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(30, 160, 60));
    const std::optional<QByteArray> bytes = EncodeJpeg(image, 100);
    QVERIFY(bytes.has_value());
    QCOMPARE(DecodeJpeg(*bytes).has_value(), decodes);
}

void TestJpegCodec::truncatedPictureGivesNothing_data() {
    QTest::addColumn<bool>("progressive");
    QTest::addColumn<double>("kept");
    QTest::addColumn<int>("tailDropped");
    for (const bool progressive : {false, true}) {
        const char* kind = progressive ? "progressive" : "baseline";
        for (const double kept : {0.01, 0.1, 0.3, 0.5, 0.8, 0.99}) {
            QTest::addRow("%s, %g kept", kind, kept) << progressive << kept << 0;
        }
        QTest::addRow("%s, end of image missing", kind) << progressive << 1.0 << 2;
    }
}

void TestJpegCodec::truncatedPictureGivesNothing() {
    QFETCH(bool, progressive);
    QFETCH(double, kept);
    QFETCH(int, tailDropped);
    const QByteArray bytes = Encoded(progressive);
    const qsizetype length = qsizetype(bytes.size() * kept) - tailDropped;
    QVERIFY(!DecodeJpeg(QByteArrayView(bytes).first(length)).has_value());
}

void TestJpegCodec::emptyPictureEncodesToNothing() {
    QVERIFY(!EncodeJpeg(QImage(), 100));
}

QTEST_GUILESS_MAIN(TestJpegCodec)
#include "test_jpeg_codec.moc"
