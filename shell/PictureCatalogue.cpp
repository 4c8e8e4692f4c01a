#include "shell/PictureCatalogue.h"

namespace corvane {

PictureCatalogue PictureCatalogue::Load() {
    return PictureCatalogue{};
}

QPixmap PictureCatalogue::Picture(int number) const {
    const auto found = pictures_.find(number);
    return found == pictures_.end() ? QPixmap() : found->second.picture;
}

QIcon PictureCatalogue::Icon(int number) const {
    const auto found = pictures_.find(number);
    return found == pictures_.end() ? QIcon() : found->second.icon;
}

void PictureCatalogue::Add(int number, const QIcon& icon, const QPixmap& picture) {
    pictures_[number] = Entry{icon, picture};
}

} // namespace corvane
