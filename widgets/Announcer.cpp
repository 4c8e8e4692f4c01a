#include "widgets/Announcer.h"

#include <QAccessibleWidget>

namespace corvane {

namespace {

QAccessibleInterface* NotificationFor(const QString& className, QObject* object) {
    if (className == QLatin1String("corvane::Announcer") && object->isWidgetType()) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    }
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(NotificationFor);
        return true;
    }();
    Q_UNUSED(installed);
    setObjectName(QStringLiteral("Announcer"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
    hide();
}

// Shown anew each time: the appearance is what is read out.
void Announcer::Announce(const QString& text) {
    hide();
    setAccessibleName(text);
    show();
}

void Announcer::paintEvent(QPaintEvent*) {}

} // namespace corvane
