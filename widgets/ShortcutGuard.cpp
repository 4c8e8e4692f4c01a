#include "widgets/ShortcutGuard.h"

#include <QKeyEvent>

namespace corvane {

ShortcutGuard::ShortcutGuard(QList<QKeySequence> shortcuts, QObject* parent)
    : QObject(parent), shortcuts_(std::move(shortcuts)) {}

bool ShortcutGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        if (shortcuts_.contains(pressed)) {
            // Left unaccepted, the override lets the shortcut take the key.
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace corvane
