#include "platform/desktop/SystemClock.h"

#include <QDateTime>

namespace corvane {

LocalDateTime LocalNow() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return {{date.year(), date.month(), date.day()}, time.hour(), time.minute(), time.second()};
}

} // namespace corvane
