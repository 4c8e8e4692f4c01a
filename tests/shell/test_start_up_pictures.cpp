// The pictures of start-up come without any image plugin: the program's icon files are read by
// its own decoder, which agrees with the toolkit's, and the style's standard icons wait until
// they are used.
#include "assets/PictureCatalogue.h"
#include "platform/codec/IconDecoding.h"
#include "shell/MainWindow.h"
#include "tests/support/WindowFixture.h"
#include "widgets/DeferredIconStyle.h"

#include <QApplication>
#include <QBuffer>
#include <QDirIterator>
#include <QFile>
#include <QImageReader>
#include <QProxyStyle>
#include <QStyle>
#include <QTest>

using namespace corvane;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The image plugins this process has loaded.
QStringList LoadedImagePlugins() {
    QStringList plugins;
    for (const QByteArray& line : ReadAll("/proc/self/maps").split('\n')) {
        if (line.contains("/imageformats/")) {
            plugins << QString::fromUtf8(line.mid(line.lastIndexOf(' ') + 1));
        }
    }
    plugins.removeDuplicates();
    return plugins;
}

QStringList ProgramIconFiles() {
    QStringList files{":/corvane.ico"};
    for (QDirIterator it(":/pictures", {"*.ico"}); it.hasNext();) {
        files << it.next();
    }
    return files;
}

} // namespace

class TestStartUpPictures : public QObject {
    Q_OBJECT

private slots:
    // First, before anything here reads a picture through the toolkit.
    void theWindowStartsWithoutImagePlugins() {
        DeferStandardIcons();
        QApplication::setWindowIcon(LoadProgramIcon());
        WindowFixture fixture;
        QVERIFY(fixture.IsValid());
        QVERIFY(fixture.Open([] { return LocalDateTime{}; }));
        QCOMPARE(LoadedImagePlugins(), QStringList());
    }

    void deferredStandardIconsLookTheSame() {
        const auto* style = qobject_cast<const QProxyStyle*>(QApplication::style());
        QVERIFY(style != nullptr);
        const QIcon deferred = style->standardIcon(QStyle::SP_MessageBoxWarning);
        const QIcon real = style->baseStyle()->standardIcon(QStyle::SP_MessageBoxWarning);
        QVERIFY(!deferred.isNull());
        QCOMPARE(deferred.pixmap(32).toImage(), real.pixmap(32).toImage());
    }

    void iconFilesDecodeAsTheToolkitReadsThem() {
        if (!QImageReader::supportedImageFormats().contains("ico")) {
            QSKIP("this Qt has no ICO reader to compare with (the Windows build leaves it out)");
        }
        const QStringList icons = ProgramIconFiles();
        QVERIFY(icons.size() > 1);
        for (const QString& path : icons) {
            const QByteArray bytes = ReadAll(path);
            QImageReader reader(path, "ico");
            const std::vector<QImage> decoded = DecodeIconFile(bytes);
            QCOMPARE(int(decoded.size()), reader.imageCount());
            for (const QImage& image : decoded) {
                // Compared as they are drawn: the toolkit's reader keeps no colour under a
                // nearly transparent pixel.
                constexpr auto kDrawn = QImage::Format_ARGB32_Premultiplied;
                QCOMPARE(image.convertToFormat(kDrawn), reader.read().convertToFormat(kDrawn));
                reader.jumpToNextImage();
            }
        }
    }

    void damagedIconFilesGiveNothing_data() {
        QTest::addColumn<qsizetype>("keep"); // bytes kept from the start; -1: all
        QTest::addColumn<int>("at");         // a byte set to 0xFF; -1: none
        QTest::newRow("empty") << qsizetype{0} << -1;
        QTest::newRow("directory cut") << qsizetype{10} << -1;
        QTest::newRow("bitmap header cut") << qsizetype{6 + 16 * 4 + 20} << -1;
        QTest::newRow("last rows cut") << qsizetype{-2} << -1;
        QTest::newRow("offset beyond the end") << qsizetype{-1} << 6 + 12 + 3;
        QTest::newRow("not 32 bits a pixel") << qsizetype{-1} << 6 + 16 * 4 + 14;
        QTest::newRow("side too large") << qsizetype{-1} << 6 + 16 * 4 + 5;
    }

    void damagedIconFilesGiveNothing() {
        QFETCH(qsizetype, keep);
        QFETCH(int, at);
        QByteArray bytes = ReadAll(":/corvane.ico");
        QVERIFY(!DecodeIconFile(bytes).empty());
        bytes.truncate(keep == -1 ? bytes.size() : keep == -2 ? bytes.size() - 300 : keep);
        if (at >= 0) {
            bytes[at] = char(0xFF);
        }
        QVERIFY(DecodeIconFile(bytes).empty());
    }
};

QTEST_MAIN(TestStartUpPictures)
#include "test_start_up_pictures.moc"
