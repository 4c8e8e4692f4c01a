#pragma once

#include <QWidget>

namespace corvane {

// Has a screen reader say a text at once, wherever the focus is: a notification, an invisible
// control that screen readers read out each time it appears. Screen readers present changes of
// the focused control only, so a result written into a field without the focus is not heard.
class Announcer : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget* parent);

    void Announce(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace corvane
