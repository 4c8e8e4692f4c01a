#include "widgets/LinkLabel.h"

#include <QMouseEvent>
#include <QPainter>

namespace corvane {

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    ShowInColour(kRestingColour);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::ShowInColour(QRgb colour) {
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, QColor(colour));
    setPalette(colours);
}

void LinkLabel::enterEvent(QEnterEvent* event) {
    ShowInColour(kHoverColour);
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
    ShowInColour(kRestingColour);
    pressed_ = false;
    QLabel::leaveEvent(event);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

// Like a button: the click counts only when the button is let go over the link.
void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click) {
        emit clicked();
    }
}

// The underline is drawn with a copy of the default font, so that the label's own font is never
// set; the underline takes the text's colour.
void LinkLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    QFont underlined = font();
    underlined.setUnderline(true);
    painter.setFont(underlined);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect(), static_cast<int>(alignment()), text());
}

} // namespace corvane
