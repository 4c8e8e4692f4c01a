#include "pdf/LayoutDevice.h"
#include "pdf/PdfFile.h"
#include "pdf/PdfJpeg.h"
#include "pdf/PdfSyntax.h"
#include "pdf/TrueTypeCharacters.h"
#include "pdf/TrueTypeFont.h"

#include "assets/ProgramFonts.h"
#include "platform/codec/JpegCodec.h"
#include "tests/support/FileContent.h"
#include "tests/support/HostPrograms.h"

#include <QFile>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QImage>
#include <QPainterPath>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>

using namespace corvane;

namespace {

QRawFont Regular(qreal pixels) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(qRound(pixels));
    return QRawFont::fromFont(font);
}

// Big-endian 16-bit numbers, as a font's tables hold them.
QByteArray Words(std::initializer_list<quint32> words) {
    QByteArray out;
    for (const quint32 word : words) {
        out += char(word >> 8);
        out += char(word & 0xff);
    }
    return out;
}

// A character map holding one table for Windows' Unicode encoding.
QByteArray Cmap(quint32 encoding, const QByteArray& table) {
    return Words({0, 1, 3, encoding, 0, 12}) + table;
}

QString Run(const char* program, const QStringList& arguments) {
    QProcess process;
    process.start(HostProgram(program), arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestPdfFile : public QObject {
    Q_OBJECT

private slots:
    void numbers_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("whole") << 842.0 << QByteArray("842");
        QTest::newRow("decimals") << 0.12 << QByteArray("0.12");
        QTest::newRow("rounded") << 595.27559 << QByteArray("595.276");
        QTest::newRow("negative") << -1.5 << QByteArray("-1.5");
        QTest::newRow("almost zero") << -0.0004 << QByteArray("0");
        QTest::newRow("not a number") << std::nan("") << QByteArray("0");
    }

    void numbers() {
        QFETCH(double, value);
        QFETCH(QByteArray, written);
        QByteArray out;
        AppendPdfNumber(out, value);
        QCOMPARE(out, written);
    }

    void jpegFrames_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size"); // empty: refused
        QTest::addColumn<bool>("grey");
        const QByteArray start("\xFF\xD8\xFF\xE0\x00\x04\x00\x00", 8);
        const auto frame = [&](char precision, char components) {
            return start + QByteArray("\xFF\xC2\x00\x0B", 4) + precision +
                   QByteArray("\x00\x59\x03\x15", 4) + components + QByteArray(6, '\x11');
        };
        QTest::newRow("colour") << frame(8, 3) << QSize(789, 89) << false;
        QTest::newRow("grey") << frame(8, 1) << QSize(789, 89) << true;
        QTest::newRow("CMYK") << frame(8, 4) << QSize() << false;
        QTest::newRow("twelve bits") << frame(12, 3) << QSize() << false;
        QTest::newRow("cut short") << frame(8, 3).left(14) << QSize() << false;
        QTest::newRow("no frame") << start + QByteArray("\xFF\xD9", 2) << QSize() << false;
        QTest::newRow("not a JPEG") << QByteArray("%PDF-1.4") << QSize() << false;
    }

    void jpegFrames() {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        QFETCH(bool, grey);
        const std::optional<PdfJpeg> jpeg = ReadPdfJpeg(bytes);
        QCOMPARE(jpeg.has_value(), !size.isEmpty());
        if (jpeg) {
            QCOMPARE(QSize(jpeg->width, jpeg->height), size);
            QCOMPARE(jpeg->grey, grey);
        }
    }

    void characterMaps_data() {
        QTest::addColumn<QByteArray>("cmap");
        QTest::addColumn<QList<quint32>>("glyphs");
        QTest::addColumn<QList<quint32>>("characters"); // of each glyph, 0 for none
        // A to C are glyphs 10 to 12 by a delta; a, b and c are glyphs 20, 10 and 21 by an
        // array, so that glyph 10 stands for both A and b.
        const QByteArray segments = Words({4,  46,   0,    6,      4,
                                           1,  2,    0x43, 0x63,   0xffff,
                                           0,  0x41, 0x61, 0xffff, (10 - 0x41) & 0xffff,
                                           0,  1,    0,    4,      0,
                                           20, 10,   21});
        QTest::newRow("segments") << Cmap(1, segments) << QList<quint32>{10, 11, 20, 21, 99}
                                  << QList<quint32>{0x41, 0x42, 0x61, 0x63, 0};
        // A and B are glyphs 10 and 11, and two faces beyond the 16 bits glyphs 30 and 31.
        const QByteArray groups =
            Words({12, 0, 0, 40, 0, 0, 0, 2, 0, 0x41, 0, 0x42, 0, 10, 1, 0xf600, 1, 0xf601, 0, 30});
        QTest::newRow("groups") << Cmap(10, groups) << QList<quint32>{10, 31, 12}
                                << QList<quint32>{0x41, 0x1f601, 0};
    }

    void characterMaps() {
        QFETCH(QByteArray, cmap);
        QFETCH(QList<quint32>, glyphs);
        QFETCH(QList<quint32>, characters);
        const std::map<quint32, char32_t> found =
            CmapCharacters(cmap, std::set<quint32>(glyphs.begin(), glyphs.end()));
        for (qsizetype index = 0; index < glyphs.size(); ++index) {
            const auto entry = found.find(glyphs[index]);
            QCOMPARE(entry == found.end() ? 0u : quint32(entry->second), characters[index]);
        }
    }

    void subsetDrawsWhatTheFaceDraws() {
        const QRawFont font = Regular(100);
        const std::optional<TrueTypeFont> face = TrueTypeFont::Read(font);
        QVERIFY(face.has_value());
        // Accented letters are often made of other glyphs: those must come along.
        const QString kept = QStringLiteral("Aéç…◄\u202F");
        const QList<quint32> glyphs = font.glyphIndexesForString(kept);
        const std::set<quint32> chosen(glyphs.begin(), glyphs.end());
        const QRawFont subset(face->Subset(chosen), 100);
        QVERIFY(subset.isValid());
        for (const quint32 glyph : glyphs) {
            QCOMPARE(subset.pathForGlyph(glyph), font.pathForGlyph(glyph));
        }
        const quint32 left = font.glyphIndexesForString(QStringLiteral("Z")).first();
        QVERIFY(!font.pathForGlyph(left).isEmpty());
        QVERIFY(subset.pathForGlyph(left).isEmpty());

        const std::map<quint32, char32_t> characters = face->CharactersOf(chosen);
        QCOMPARE(characters.size(), std::size_t(kept.size()));
        for (qsizetype index = 0; index < kept.size(); ++index) {
            QCOMPARE(characters.at(glyphs[index]), char32_t(kept[index].unicode()));
        }
    }

    void glyphsOfAFaceWithoutTrueTypeOutlinesAreShapes() {
        const QString file =
            QStringLiteral("/usr/share/fonts/opentype/urw-base35/NimbusSans-Regular.otf");
        if (!QFile::exists(file)) {
            QSKIP("No CFF face here to draw with.");
        }
        const QRawFont font(file, 100);
        QVERIFY(!TrueTypeFont::Read(font).has_value());
        QGlyphRun run;
        run.setRawFont(font);
        run.setGlyphIndexes(font.glyphIndexesForString(QStringLiteral("So")));
        run.setPositions({{0, 100}, {60, 100}});
        PdfResources resources;
        PdfCanvas canvas(resources);
        canvas.Glyphs(run, {}, Qt::black, false);
        QVERIFY(resources.Fonts().empty());
        QVERIFY(!canvas.Content().contains("TJ"));
        QVERIFY(canvas.Content().count(" c\n") > 4 && canvas.Content().endsWith("f\n"));
    }

    // Run by itself on a machine without fonts (see CMakeLists.txt): Qt then lays text out in
    // empty boxes.
    void textWithoutAnyFont() {
        if (!QRawFont::fromFont(QFont()).fontTable("head").isEmpty()) {
            QSKIP("Fonts are installed here.");
        }
        LayoutDevice page(QSize(4960, 7016), 600);
        QTextLayout layout(QStringLiteral("Fête"), QFont(), &page);
        layout.beginLayout();
        layout.createLine().setLineWidth(4000);
        layout.endLayout();
        PdfFile file(QSizeF(595.276, 841.89), 600);
        PdfCanvas& canvas = file.NewPage();
        for (const QGlyphRun& run : layout.glyphRuns()) {
            canvas.Glyphs(run, {}, Qt::black, true);
        }
        QVERIFY(file.Finish().startsWith("%PDF-1.4"));
    }

    void documentReadsBack() {
        if (HostProgram("pdftotext").isEmpty()) {
            QSKIP("No pdftotext here to read the PDF with.");
        }
        const std::optional<QByteArray> encoded =
            EncodeJpeg(QImage(40, 20, QImage::Format_RGB32), 90);
        QVERIFY(encoded.has_value());
        const std::optional<PdfJpeg> jpeg = ReadPdfJpeg(*encoded);
        QVERIFY(jpeg.has_value());
        LayoutDevice page(QSize(4960, 7016), 600);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPointSize(10);
        PdfFile file(QSizeF(595.276, 841.89), 600);
        file.SetTitle(QStringLiteral("Évaluation « été »"));
        const QStringList texts = {QStringLiteral("Fête du 14 juillet : 12\u202F000 personnes"),
                                   QStringLiteral("Deuxième page")};
        for (const QString& text : texts) {
            PdfCanvas& canvas = file.NewPage();
            QTextLayout layout(text, font, &page);
            layout.beginLayout();
            layout.createLine().setLineWidth(4000);
            layout.endLayout();
            canvas.FillRect(QRectF(500, 500, 1000, 200), Qt::yellow);
            for (const QGlyphRun& run : layout.glyphRuns()) {
                canvas.Glyphs(run, QPointF(600, 1000), Qt::black, text == texts.last());
            }
            canvas.Jpeg(QRectF(600, 1500, 400, 200), *jpeg);
        }
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("file.pdf"));
        WriteAll(pdf, file.Finish());

        const QStringList pages = Run("pdftotext", {pdf, "-"}).split(u'\f');
        QCOMPARE(pages.size(), 3); // two pages, then what follows the last
        QCOMPARE(pages[0].simplified(), QStringLiteral("Fête du 14 juillet : 12 000 personnes"));
        QCOMPARE(pages[1].simplified(), texts[1]);
        QVERIFY(Run("pdfinfo", {pdf}).contains(QStringLiteral("Évaluation « été »")));
        // One face and one picture, however many pages use them.
        QCOMPARE(Run("pdffonts", {pdf}).split(u'\n', Qt::SkipEmptyParts).size(), 3);
        const QStringList images =
            Run("pdfimages", {"-list", pdf}).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(images.size(), 4); // heading, rule, one line a page
        QCOMPARE(images[2].split(u' ', Qt::SkipEmptyParts).value(10),
                 images[3].split(u' ', Qt::SkipEmptyParts).value(10)); // the same object
        QVERIFY2(images[2].contains(QStringLiteral(" 40    20  rgb")) &&
                     images[2].contains(QStringLiteral("jpeg")),
                 qPrintable(images[2]));
    }
};

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    AddProgramFonts();
    TestPdfFile test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_pdf_file.moc"
