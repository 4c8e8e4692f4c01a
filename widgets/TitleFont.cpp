#include "widgets/TitleFont.h"

#include <QApplication>

#include <utility>

namespace corvane {

namespace {

// Every attribute counts as set, so that nothing of a desktop theme's font (its size, weight,
// stretch or hinting) shows through where the font is inherited.
QFont Complete(QFont font) {
    font.setResolveMask(QFont::AllPropertiesResolved);
    return font;
}

// A desktop theme may set its own application font once the program runs (qt6ct does it as soon
// as the event loop starts, and again whenever its settings change): the program's font comes
// back at once. Setting the application font also drops the fonts a theme gives per kind of
// control.
class FontKeeper : public QObject {
public:
    FontKeeper(QFont font, QObject* parent) : QObject(parent), font_(std::move(font)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == qApp && event->type() == QEvent::ApplicationFontChange &&
            QApplication::font() != font_) {
            QApplication::setFont(font_);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QFont font_;
};

} // namespace

QFont MakeTitleFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    font.setWeight(QFont::Bold);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStyleStrategy(QFont::PreferQuality);
    return Complete(font);
}

QFont MakeControlFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    return Complete(font);
}

void HoldApplicationFont(const QFont& font) {
    QApplication::setFont(font);
    qApp->installEventFilter(new FontKeeper(font, qApp));
}

} // namespace corvane
