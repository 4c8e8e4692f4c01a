#include "shell/PictureCatalogue.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <set>

using namespace corvane;

namespace {

const QList<int> kIconSide{16};
const QList<int> kFourSides{48, 32, 24, 16};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint16 Read16(const QByteArray& bytes, qsizetype at) {
    return static_cast<quint16>(static_cast<quint8>(bytes.at(at)) |
                                static_cast<quint8>(bytes.at(at + 1)) << 8);
}

// The marker of the first start-of-frame segment: 0xC0 for baseline, 0xC2 for progressive.
int FrameMarker(const QByteArray& jpeg) {
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && static_cast<quint8>(jpeg[at]) == 0xFF) {
        const int marker = static_cast<quint8>(jpeg[at + 1]);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
            marker != 0xCC) {
            return marker;
        }
        at += 2 + (static_cast<quint8>(jpeg[at + 2]) << 8 | static_cast<quint8>(jpeg[at + 3]));
    }
    return -1;
}

// The bit depth of every image named in an icon file's directory.
QList<int> IconDepths(const QByteArray& icon) {
    QList<int> depths;
    if (icon.size() < 6 || Read16(icon, 0) != 0 || Read16(icon, 2) != 1) {
        return depths;
    }
    for (int entry = 0; entry < Read16(icon, 4) && 6 + 16 * (entry + 1) <= icon.size(); ++entry) {
        depths << Read16(icon, 6 + 16 * entry + 6);
    }
    return depths;
}

QList<int> Sides(const QIcon& icon) {
    QList<int> sides;
    for (const QSize& size : icon.availableSizes()) {
        sides << (size.width() == size.height() ? size.width() : -1);
    }
    return sides;
}

QImage Pixels(const QPixmap& picture) {
    return picture.toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestPictureCatalogue : public QObject {
    Q_OBJECT

    const PictureCatalogue pictures_ = PictureCatalogue::Load();

    static void AddIcon(int number, const QList<int>& sides) {
        QTest::addRow("%d icon", number) << number << "ico" << 0 << QSize(16, 16) << sides;
    }
    static void AddJpeg(int number, QSize size, int frame = 0xC0) {
        QTest::addRow("%d jpeg", number) << number << "jpeg" << frame << size << QList<int>{};
    }

private slots:
    void everyPictureHasItsKindAndSize_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<int>("frameMarker");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QList<int>>("iconSides");
        for (const int number : {0, 1, 2, 3, 4, 5, 6, 7, 8}) {
            AddIcon(number, kIconSide);
        }
        AddJpeg(10, {794, 322});
        AddJpeg(11, {784, 550});
        AddJpeg(12, {745, 554});
        AddJpeg(13, {788, 316});
        AddJpeg(14, {795, 91});
        AddJpeg(15, {788, 89});
        AddJpeg(16, {789, 89});
        AddJpeg(17, {790, 89});
        AddJpeg(18, {788, 453});
        AddJpeg(19, {788, 583});
        AddJpeg(20, {788, 213});
        AddJpeg(21, {773, 98});
        for (const int number : {23, 24, 25, 26, 30, 31, 32, 34}) {
            AddIcon(number, kIconSide);
        }
        AddIcon(35, kFourSides);
        AddJpeg(101, {247, 197}, 0xC2);
        AddIcon(102, kIconSide);
    }

    void everyPictureHasItsKindAndSize() {
        QFETCH(int, number);
        QFETCH(QString, suffix);
        QFETCH(int, frameMarker);
        QFETCH(QSize, size);
        QFETCH(QList<int>, iconSides);
        const QByteArray file =
            ReadAll(PictureCatalogue::BuiltInFolder() + QString::number(number) + "." + suffix);
        QVERIFY2(!file.isEmpty(), "the picture is not compiled into the program");
        QVERIFY(pictures_.Has(number));
        QCOMPARE(pictures_.Picture(number).size(), size);
        if (suffix == "jpeg") {
            QCOMPARE(FrameMarker(file), frameMarker);
            QVERIFY(!pictures_.Picture(number).hasAlphaChannel());
        } else {
            QCOMPARE(IconDepths(file), QList<int>(iconSides.size(), 32));
            QCOMPARE(Sides(pictures_.Icon(number)), iconSides);
            QVERIFY(pictures_.Picture(number).hasAlphaChannel());
        }
    }

    // Each role has its own picture, so a picture shown in the wrong place can be told apart.
    void noTwoPicturesAreAlike() {
        std::set<QByteArray> seen;
        for (int number = 0; number <= 102; ++number) {
            if (pictures_.Has(number)) {
                const QImage image = Pixels(pictures_.Picture(number));
                const QByteArray pixels(reinterpret_cast<const char*>(image.constBits()),
                                        image.sizeInBytes());
                QVERIFY2(seen.insert(pixels).second, qPrintable(QString::number(number)));
            }
        }
        QCOMPARE(seen.size(), std::size_t{32});
    }

    void numbersOutsideTheCatalogueAreAbsent() {
        for (const int number : {-1, 9, 22, 27, 33, 36, 100, 103}) {
            QVERIFY(!pictures_.Has(number));
            QVERIFY(pictures_.Picture(number).isNull());
            QVERIFY(pictures_.Icon(number).isNull());
        }
    }

    void programIconHasFourSizes() {
        const QIcon icon = LoadProgramIcon();
        QCOMPARE(Sides(icon), kFourSides);
        QVERIFY(icon.pixmap(16).toImage().hasAlphaChannel());
        QVERIFY(LoadProgramIcon(QDir::tempPath() + "/no such icon.ico").isNull());
    }

    void damagedPictureIsAbsentAndTheOthersStay_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("damage");
        const auto row = [](const char* name, const char* file, const char* damage) {
            QTest::newRow(name) << QString(file) << QString(damage);
        };
        row("explanation jpeg cut in half", "10.jpeg", "half");
        row("banner jpeg without its last bytes", "14.jpeg", "end");
        row("progressive jpeg cut in half", "101.jpeg", "half");
        row("jpeg replaced by text", "13.jpeg", "text");
        row("empty jpeg", "20.jpeg", "empty");
        row("missing jpeg", "17.jpeg", "missing");
        row("icon cut in its pixels", "3.ico", "half");
        row("icon cut in its directory", "35.ico", "directory");
        row("icon replaced by a jpeg", "31.ico", "jpeg");
        row("missing icon", "102.ico", "missing");
    }

    void damagedPictureIsAbsentAndTheOthersStay() {
        QFETCH(QString, file);
        QFETCH(QString, damage);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        for (const QString& name : QDir(PictureCatalogue::BuiltInFolder()).entryList()) {
            QVERIFY(QFile::copy(PictureCatalogue::BuiltInFolder() + name, folder.filePath(name)));
            QVERIFY(
                QFile::setPermissions(folder.filePath(name), QFile::ReadOwner | QFile::WriteOwner));
        }
        const QString path = folder.filePath(file);
        const QByteArray whole = ReadAll(path);
        const std::map<QString, QByteArray> damaged{{"half", whole.left(whole.size() / 2)},
                                                    {"end", whole.chopped(2)},
                                                    {"text", "not a picture"},
                                                    {"empty", {}},
                                                    {"directory", whole.left(10)},
                                                    {"jpeg", ReadAll(":/pictures/15.jpeg")}};
        if (damage == "missing") {
            QVERIFY(QFile::remove(path));
        } else {
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QCOMPARE(out.write(damaged.at(damage)), damaged.at(damage).size());
        }

        const PictureCatalogue loaded = PictureCatalogue::Load(folder.path() + "/");

        const int broken = file.section('.', 0, 0).toInt();
        QVERIFY(!loaded.Has(broken));
        QVERIFY(loaded.Picture(broken).isNull());
        for (int number = 0; number <= 102; ++number) {
            if (number != broken && pictures_.Has(number)) {
                QVERIFY2(loaded.Has(number), qPrintable(QString::number(number)));
                QCOMPARE(Pixels(loaded.Picture(number)), Pixels(pictures_.Picture(number)));
            }
        }
    }
};

QTEST_MAIN(TestPictureCatalogue)
#include "test_picture_catalogue.moc"
