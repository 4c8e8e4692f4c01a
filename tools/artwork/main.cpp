// Draws every picture of the program and writes them into the assets folder given as argument:
// pictures/<number>.ico and pictures/<number>.jpeg, and the program's icon corvane.ico.

#include "platform/JpegCodec.h"
#include "platform/ReplaceFile.h"
#include "tools/artwork/AboutLogo.h"
#include "tools/artwork/Banners.h"
#include "tools/artwork/ExplainPictures.h"
#include "tools/artwork/IconFile.h"
#include "tools/artwork/Icons.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <functional>

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

bool WriteIcon(const QString& path, std::initializer_list<int> sides,
               const std::function<QImage(int)>& draw) {
    std::vector<QImage> images;
    for (const int side : sides) {
        images.push_back(draw(side));
    }
    return WriteBytes(path, EncodeIconFile(images));
}

bool WriteJpeg(const QString& path, const QImage& image, bool progressive = false) {
    const std::optional<QByteArray> bytes = EncodeJpeg(image, kArtworkQuality, progressive);
    return bytes && WriteBytes(path, *bytes);
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
    const auto picture = [&](int number, const char* suffix) {
        return assets.filePath(QStringLiteral("pictures/%1.%2").arg(number).arg(suffix));
    };

    bool ok = WriteIcon(assets.filePath(QStringLiteral("corvane.ico")), {48, 32, 24, 16},
                        DrawProgramIcon);
    ok = WriteIcon(picture(0, "ico"), {16}, DrawProgramIcon) && ok;
    for (const int number : {1, 2, 3, 4, 5, 6, 7, 8, 23, 24, 25, 26, 30, 31, 32, 34, 102}) {
        ok = WriteIcon(picture(number, "ico"), {16},
                       [number](int side) { return DrawIcon(number, side); }) &&
             ok;
    }
    ok = WriteIcon(picture(35, "ico"), {48, 32, 24, 16},
                   [](int side) { return DrawIcon(35, side); }) &&
         ok;
    for (const int number : {10, 11, 12, 13, 18, 19, 20}) {
        ok = WriteJpeg(picture(number, "jpeg"), DrawExplainPicture(number)) && ok;
    }
    for (const int number : {14, 15, 16, 17, 21}) {
        ok = WriteJpeg(picture(number, "jpeg"), DrawBanner(number)) && ok;
    }
    ok = WriteJpeg(picture(101, "jpeg"), DrawAboutLogo(), true) && ok;
    return ok ? 0 : 1;
}
