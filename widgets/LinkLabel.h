#pragma once

#include <QLabel>

namespace corvane {

// A text that works as a link: black and underlined on white, red with a hand cursor while the
// mouse is over it; a left click on it says `clicked`. Its font stays the window's default.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    static constexpr QRgb kRestingColour = qRgb(0, 0, 0);
    static constexpr QRgb kHoverColour = qRgb(238, 25, 30);

    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void ShowInColour(QRgb colour);

    bool pressed_ = false;
};

} // namespace corvane
