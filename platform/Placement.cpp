#include "platform/Placement.h"

#include <algorithm>

namespace corvane {

QPoint CentredIn(const QRect& area, QSize size) {
    return area.topLeft() + QPoint((area.width() - std::min(area.width(), size.width())) / 2,
                                   (area.height() - std::min(area.height(), size.height())) / 2);
}

} // namespace corvane
