#include "shell/PictureCatalogue.h"

#include "platform/JpegCodec.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <array>
#include <optional>

namespace corvane {

namespace {

enum class PictureKind { Icon, Jpeg };

struct CatalogueEntry {
    int number;
    PictureKind kind;
};

constexpr PictureKind kIcon = PictureKind::Icon;
constexpr PictureKind kJpeg = PictureKind::Jpeg;

// In ascending number order, the order in which they are read.
constexpr std::array<CatalogueEntry, 32> kCatalogue = {{
    {0, kIcon},  {1, kIcon},  {2, kIcon},   {3, kIcon},   {4, kIcon},  {5, kIcon},  {6, kIcon},
    {7, kIcon},  {8, kIcon},  {10, kJpeg},  {11, kJpeg},  {12, kJpeg}, {13, kJpeg}, {14, kJpeg},
    {15, kJpeg}, {16, kJpeg}, {17, kJpeg},  {18, kJpeg},  {19, kJpeg}, {20, kJpeg}, {21, kJpeg},
    {23, kIcon}, {24, kIcon}, {25, kIcon},  {26, kIcon},  {30, kIcon}, {31, kIcon}, {32, kIcon},
    {34, kIcon}, {35, kIcon}, {101, kJpeg}, {102, kIcon},
}};

constexpr int kMenuPictureSide = 16;

std::optional<QByteArray> ReadWhole(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll();
}

// Every image of a Windows icon file; empty when any of them cannot be decoded.
std::vector<QImage> DecodeIconFile(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "ico");
    std::vector<QImage> images;
    const int count = reader.imageCount();
    for (int index = 0; index < count; ++index) {
        if (!reader.jumpToImage(index)) {
            return {};
        }
        QImage image = reader.read();
        if (image.isNull()) {
            return {};
        }
        images.push_back(std::move(image));
    }
    return images;
}

QIcon IconOf(const std::vector<QImage>& images) {
    QIcon icon;
    for (const QImage& image : images) {
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

QImage MenuSizedImage(const std::vector<QImage>& images) {
    for (const QImage& image : images) {
        if (image.width() == kMenuPictureSide) {
            return image;
        }
    }
    return images.front();
}

void AddIcon(PictureCatalogue& catalogue, int number, const QByteArray& bytes) {
    const std::vector<QImage> images = DecodeIconFile(bytes);
    if (!images.empty()) {
        catalogue.Add(number, IconOf(images), QPixmap::fromImage(MenuSizedImage(images)));
    }
}

} // namespace

PictureCatalogue PictureCatalogue::Load(const QString& folder) {
    PictureCatalogue catalogue;
    for (const CatalogueEntry& entry : kCatalogue) {
        const bool icon = entry.kind == PictureKind::Icon;
        const QString path = folder + QString::number(entry.number) +
                             (icon ? QStringLiteral(".ico") : QStringLiteral(".jpeg"));
        const std::optional<QByteArray> bytes = ReadWhole(path);
        if (!bytes) {
            continue;
        }
        if (icon) {
            AddIcon(catalogue, entry.number, *bytes);
        } else {
            catalogue.pictures_[entry.number] = Entry{{}, {}, *bytes};
        }
    }
    return catalogue;
}

const PictureCatalogue::Entry* PictureCatalogue::Find(int number) const {
    const auto found = pictures_.find(number);
    if (found == pictures_.end()) {
        return nullptr;
    }
    Entry& entry = found->second;
    if (entry.jpeg) {
        std::optional<QImage> image = DecodeJpeg(*entry.jpeg);
        if (!image) {
            pictures_.erase(found);
            return nullptr;
        }
        entry.picture = QPixmap::fromImage(std::move(*image));
        entry.icon = QIcon(entry.picture);
        entry.jpeg.reset();
    }
    return &entry;
}

bool PictureCatalogue::Has(int number) const {
    return Find(number) != nullptr;
}

QPixmap PictureCatalogue::Picture(int number) const {
    const Entry* entry = Find(number);
    return entry != nullptr ? entry->picture : QPixmap();
}

QIcon PictureCatalogue::Icon(int number) const {
    const Entry* entry = Find(number);
    return entry != nullptr ? entry->icon : QIcon();
}

void PictureCatalogue::Add(int number, const QIcon& icon, const QPixmap& picture) {
    pictures_[number] = Entry{icon, picture, std::nullopt};
}

QIcon LoadProgramIcon(const QString& path) {
    const std::optional<QByteArray> bytes = ReadWhole(path);
    return bytes ? IconOf(DecodeIconFile(*bytes)) : QIcon();
}

} // namespace corvane
