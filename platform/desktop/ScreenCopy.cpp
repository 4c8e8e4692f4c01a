#include "platform/desktop/ScreenCopy.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

namespace corvane {

namespace {

// Wayland lets no program read the screen, and offscreen has no screen to read.
bool ScreenCanBeRead() {
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && !platform.startsWith(QLatin1String("wayland"));
}

// The part of the screen rectangle that lies on a screen, copied to where it belongs in a
// picture of the whole rectangle; parts off every screen stay black. Nothing when the screen
// gave nothing.
QImage CopyFromScreen(QRect screenRect, QWidget* window) {
    QScreen* screen = QGuiApplication::screenAt(screenRect.center());
    if (screen == nullptr && window != nullptr) {
        screen = window->screen();
    }
    if (screen == nullptr) {
        return {};
    }
    const QRect visible = screenRect & screen->geometry();
    if (visible.isEmpty()) {
        return {};
    }
    const QPoint onScreen = visible.topLeft() - screen->geometry().topLeft();
    const QPixmap grabbed =
        screen->grabWindow(0, onScreen.x(), onScreen.y(), visible.width(), visible.height());
    if (grabbed.isNull() || grabbed.size().isEmpty()) {
        return {};
    }
    if (visible == screenRect && grabbed.size() == screenRect.size()) {
        return grabbed.toImage().convertToFormat(QImage::Format_RGB888);
    }
    QImage whole(screenRect.size(), QImage::Format_RGB888);
    whole.fill(Qt::black);
    QPainter painter(&whole);
    // A screen with more device pixels than logical ones gives a larger pixmap.
    painter.drawPixmap(QRect(visible.topLeft() - screenRect.topLeft(), visible.size()), grabbed);
    return whole;
}

QImage DrawWindow(QRect screenRect, QWidget* window) {
    QImage whole(screenRect.size(), QImage::Format_RGB888);
    whole.fill(Qt::black);
    if (window == nullptr) {
        return whole;
    }
    const QRect inWindow(window->mapFromGlobal(screenRect.topLeft()), screenRect.size());
    const QPixmap drawn = window->grab(inWindow);
    QPainter painter(&whole);
    painter.drawPixmap(QPoint(0, 0), drawn);
    return whole;
}

} // namespace

QImage CaptureScreenArea(QRect screenRect, QWidget* fallbackWindow, CopySource* source) {
    if (screenRect.isEmpty()) {
        return {};
    }
    if (ScreenCanBeRead()) {
        QImage copied = CopyFromScreen(screenRect, fallbackWindow);
        if (!copied.isNull()) {
            if (source != nullptr) {
                *source = CopySource::Screen;
            }
            return copied;
        }
    }
    if (source != nullptr) {
        *source = CopySource::Window;
    }
    return DrawWindow(screenRect, fallbackWindow);
}

void ShowWindowAsItIs(QWidget* window) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QGuiApplication::sync();
    window->repaint();
    QGuiApplication::sync();
}

} // namespace corvane
