// Draws every picture of the program's table and writes them into the assets folder given as
// argument: pictures/<number>.ico and pictures/<number>.jpeg, the program's icon corvane.ico, and
// the same icon drawn at each size of the desktop's icon theme under hicolor/.

#include "assets/PictureTable.h"
#include "platform/codec/JpegCodec.h"
#include "platform/files/ReplaceFile.h"
#include "tools/artwork/AboutLogo.h"
#include "tools/artwork/Banners.h"
#include "tools/artwork/ExplainPictures.h"
#include "tools/artwork/IconFile.h"
#include "tools/artwork/Icons.h"

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <span>

using namespace corvane;
using namespace corvane::artwork;

namespace {

// Text in a JPEG needs a high quality to keep its edges clean.
constexpr int kArtworkQuality = 95;

bool WriteBytes(const QString& path, const QByteArray& bytes) {
    const bool written = ReplaceFileWhole(path, bytes);
    std::printf("%s %s (%lld bytes)\n", written ? "wrote" : "FAILED", qPrintable(path),
                static_cast<long long>(bytes.size()));
    return written;
}

bool WriteIcon(const QString& path, std::span<const int> sides,
               const std::function<QImage(int)>& draw) {
    std::vector<QImage> images;
    for (const int side : sides) {
        images.push_back(draw(side));
        if (images.back().isNull()) {
            std::fprintf(stderr, "no drawing for %s\n", qPrintable(path));
            return false;
        }
    }
    return WriteBytes(path, EncodeIconFile(images));
}

bool WriteJpeg(const QString& path, const QImage& image, bool progressive) {
    if (image.isNull()) {
        std::fprintf(stderr, "no drawing for %s\n", qPrintable(path));
        return false;
    }
    const std::optional<QByteArray> bytes = EncodeJpeg(image, kArtworkQuality, progressive);
    return bytes && WriteBytes(path, *bytes);
}

// The drawing of a JPEG picture of the table; a null image for a number none draws.
QImage DrawJpegPicture(int number, QSize size) {
    if (number == kAboutLogoPicture) {
        return DrawAboutLogo(size);
    }
    if (std::ranges::find(kExplanationPictures, number) != kExplanationPictures.end()) {
        return DrawExplainPicture(number, size);
    }
    return DrawBanner(number, size);
}

bool WritePicture(const QDir& assets, const PictureEntry& entry) {
    const QString path = assets.filePath(QStringLiteral("pictures/") +
                                         QString::fromStdString(PictureFileName(entry)));
    if (IsIcon(entry)) {
        return WriteIcon(path, entry.iconSides,
                         [&entry](int side) { return DrawIcon(entry.number, side); });
    }
    return WriteJpeg(path, DrawJpegPicture(entry.number, {entry.width, entry.height}),
                     entry.kind == PictureKind::ProgressiveJpeg);
}

// Each side is drawn for itself, so that the large icons keep sharp edges.
bool WriteDesktopIcons(const QDir& assets) {
    bool ok = true;
    for (const int side : kDesktopIconSides) {
        const QString folder = QStringLiteral("hicolor/%1x%1/apps").arg(side);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!DrawProgramIcon(side).save(&buffer, "PNG") || !assets.mkpath(folder)) {
            std::fprintf(stderr, "cannot write the %dx%d desktop icon\n", side, side);
            ok = false;
            continue;
        }
        ok = WriteBytes(assets.filePath(folder + QStringLiteral("/corvane.png")), bytes) && ok;
    }
    return ok;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: corvane_artwork <assets folder>\n");
        return 2;
    }
    const QDir assets(QString::fromLocal8Bit(argv[1]));
    if (!assets.mkpath(QStringLiteral("pictures"))) {
        std::fprintf(stderr, "cannot create %s/pictures\n", argv[1]);
        return 1;
    }
    bool ok = WriteIcon(assets.filePath(QStringLiteral("corvane.ico")), kProgramIconSides,
                        DrawProgramIcon);
    ok = WriteDesktopIcons(assets) && ok;
    for (const PictureEntry& entry : kPictureTable) {
        ok = WritePicture(assets, entry) && ok;
    }
    return ok ? 0 : 1;
}
