#include "assets/PictureCatalogue.h"

#include "assets/PictureTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <set>

using namespace corvane;

namespace {

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

// A JPEG picture's file, to stand in for an icon.
QString JpegFile() {
    return PictureCatalogue::BuiltInFolder() +
           QString::fromStdString(PictureFileName(*FindPicture(kDpsPeBanner)));
}

QImage Pixels(const QPixmap& picture) {
    return picture.toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestPictureCatalogue : public QObject {
    Q_OBJECT

    const PictureCatalogue pictures_ = PictureCatalogue::Load();

private slots:
    // The files compiled in are checked against the table, which states what each must be.
    void everyPictureHasItsKindAndSize_data() {
        QTest::addColumn<int>("number");
        for (const PictureEntry& entry : kPictureTable) {
            QTest::addRow("%s", PictureFileName(entry).c_str()) << entry.number;
        }
    }

    void everyPictureHasItsKindAndSize() {
        QFETCH(int, number);
        const PictureEntry& entry = *FindPicture(number);
        const QByteArray file = ReadAll(PictureCatalogue::BuiltInFolder() +
                                        QString::fromStdString(PictureFileName(entry)));
        QVERIFY2(!file.isEmpty(), "the picture is not compiled into the program");
        QVERIFY(pictures_.Has(number));
        QCOMPARE(pictures_.Picture(number).size(), QSize(entry.width, entry.height));
        if (IsIcon(entry)) {
            const QList<int> sides(entry.iconSides.begin(), entry.iconSides.end());
            QCOMPARE(IconDepths(file), QList<int>(sides.size(), 32));
            QCOMPARE(Sides(pictures_.Icon(number)), sides);
            QVERIFY(pictures_.Picture(number).hasAlphaChannel());
        } else {
            const bool progressive = entry.kind == PictureKind::ProgressiveJpeg;
            QCOMPARE(FrameMarker(file), progressive ? 0xC2 : 0xC0);
            QVERIFY(!pictures_.Picture(number).hasAlphaChannel());
        }
    }

    // The resources take every file of the pictures folder: one the table does not know would be
    // compiled in and never shown.
    void noFileOutsideTheTable() {
        QStringList expected;
        for (const PictureEntry& entry : kPictureTable) {
            expected << QString::fromStdString(PictureFileName(entry));
        }
        expected.sort();
        QCOMPARE(QDir(PictureCatalogue::BuiltInFolder()).entryList(QDir::Files, QDir::Name),
                 expected);
    }

    // Each role has its own picture, so a picture shown in the wrong place can be told apart.
    void noTwoPicturesAreAlike() {
        std::set<QByteArray> seen;
        for (const PictureEntry& entry : kPictureTable) {
            const QImage image = Pixels(pictures_.Picture(entry.number));
            const QByteArray pixels(reinterpret_cast<const char*>(image.constBits()),
                                    image.sizeInBytes());
            QVERIFY2(seen.insert(pixels).second, qPrintable(QString::number(entry.number)));
        }
    }

    void numbersOutsideTheTableAreAbsent() {
        for (int number = -1; number <= kPictureTable.back().number + 1; ++number) {
            if (FindPicture(number) != nullptr) {
                continue;
            }
            QVERIFY(!pictures_.Has(number));
            QVERIFY(pictures_.Picture(number).isNull());
            QVERIFY(pictures_.Icon(number).isNull());
        }
    }

    void programIconHasFourSizes() {
        const QIcon icon = LoadProgramIcon();
        QCOMPARE(Sides(icon), QList<int>(kProgramIconSides.begin(), kProgramIconSides.end()));
        QVERIFY(icon.pixmap(16).toImage().hasAlphaChannel());
        QVERIFY(LoadProgramIcon(QDir::tempPath() + "/no such icon.ico").isNull());
    }

    void damagedPictureIsAbsentAndTheOthersStay_data() {
        QTest::addColumn<int>("broken");
        QTest::addColumn<QString>("damage");
        const auto row = [](const char* name, int picture, const char* damage) {
            QTest::newRow(name) << picture << QString(damage);
        };
        row("explanation jpeg cut in half", kTotalIndexExplanation, "half");
        row("banner jpeg without its last bytes", kPapsBanner, "end");
        row("progressive jpeg cut in half", kAboutLogoPicture, "half");
        row("jpeg replaced by text", kDpsTypesExplanation, "text");
        row("empty jpeg", kDelaysExplanation, "empty");
        row("missing jpeg", kDpsGeBanner, "missing");
        row("icon cut in its pixels", kGridTabPicture, "half");
        row("icon cut in its directory", kOpenImagePicture, "directory");
        row("icon replaced by a jpeg", kHelpPicture, "jpeg");
        row("missing icon", kSupportMailPicture, "missing");
    }

    void damagedPictureIsAbsentAndTheOthersStay() {
        QFETCH(int, broken);
        QFETCH(QString, damage);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        for (const QString& name : QDir(PictureCatalogue::BuiltInFolder()).entryList()) {
            QVERIFY(QFile::copy(PictureCatalogue::BuiltInFolder() + name, folder.filePath(name)));
            QVERIFY(
                QFile::setPermissions(folder.filePath(name), QFile::ReadOwner | QFile::WriteOwner));
        }
        const QString path =
            folder.filePath(QString::fromStdString(PictureFileName(*FindPicture(broken))));
        const QByteArray whole = ReadAll(path);
        const std::map<QString, QByteArray> damaged{{"half", whole.left(whole.size() / 2)},
                                                    {"end", whole.chopped(2)},
                                                    {"text", "not a picture"},
                                                    {"empty", {}},
                                                    {"directory", whole.left(10)},
                                                    {"jpeg", ReadAll(JpegFile())}};
        if (damage == "missing") {
            QVERIFY(QFile::remove(path));
        } else {
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QCOMPARE(out.write(damaged.at(damage)), damaged.at(damage).size());
        }

        const PictureCatalogue loaded = PictureCatalogue::Load(folder.path() + "/");

        QVERIFY(!loaded.Has(broken));
        QVERIFY(loaded.Picture(broken).isNull());
        for (const PictureEntry& entry : kPictureTable) {
            if (entry.number != broken) {
                QVERIFY2(loaded.Has(entry.number), qPrintable(QString::number(entry.number)));
                QCOMPARE(Pixels(loaded.Picture(entry.number)),
                         Pixels(pictures_.Picture(entry.number)));
            }
        }
    }
};

QTEST_MAIN(TestPictureCatalogue)
#include "test_picture_catalogue.moc"
