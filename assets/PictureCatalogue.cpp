#include "assets/PictureCatalogue.h"

#include "assets/PictureTable.h"
#include "platform/codec/IconDecoding.h"
#include "platform/codec/JpegCodec.h"

#include <QFile>
#include <QResource>

#include <optional>

namespace corvane {

namespace {

constexpr int kMenuPictureSide = kMenuIconSides[0];

// A picture compiled in without compression is read where it lies, with no copy.
std::optional<QByteArray> ReadWhole(const QString& path) {
    const QResource resource(path);
    if (resource.isValid() && resource.compressionAlgorithm() == QResource::NoCompression) {
        return QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()),
                                       resource.size());
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll();
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
    for (const PictureEntry& entry : kPictureTable) {
        const QString path = folder + QString::fromStdString(PictureFileName(entry));
        const std::optional<QByteArray> bytes = ReadWhole(path);
        if (!bytes) {
            continue;
        }
        if (IsIcon(entry)) {
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
