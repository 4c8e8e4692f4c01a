#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>

namespace corvane {

// Text fields claim some Ctrl+letter keys for themselves (Ctrl+H deletes a character on some
// desktops). The guard keeps the window's own shortcuts away from them, so that every shortcut
// fires its menu command whatever control has the focus.
class ShortcutGuard : public QObject {
    Q_OBJECT

public:
    ShortcutGuard(QList<QKeySequence> shortcuts, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QKeySequence> shortcuts_;
};

} // namespace corvane
