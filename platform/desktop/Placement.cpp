#include "platform/desktop/Placement.h"

#include <algorithm>

namespace corvane {

namespace {

// Taller than the title bars of the usual window managers (about 20 to 30 pixels).
constexpr int kTitleBarAllowance = 32;

} // namespace

QPoint CentredIn(const QRect& area, QSize size) {
    return area.topLeft() + QPoint((area.width() - std::min(area.width(), size.width())) / 2,
                                   (area.height() - std::min(area.height(), size.height())) / 2);
}

QPoint PlacedIn(const QRect& available, QSize size) {
    QPoint at = CentredIn(available, size);
    if (available.height() < size.height() + kTitleBarAllowance) {
        at.setY(available.top());
    }
    return at;
}

} // namespace corvane
