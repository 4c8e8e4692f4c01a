#include "widgets/PictureControl.h"

#include <QLabel>
#include <QPixmap>

namespace corvane {

void ShowPicture(QLabel* control, const QPixmap& picture) {
    if (picture.isNull()) {
        control->clear();
        return;
    }
    control->setPixmap(picture);
    control->resize(picture.deviceIndependentSize().toSize());
}

} // namespace corvane
