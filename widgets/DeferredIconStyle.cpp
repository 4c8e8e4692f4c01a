#include "widgets/DeferredIconStyle.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QProxyStyle>

#include <functional>
#include <optional>

namespace corvane {

namespace {

// An icon that asks for its real self the first time anything about it is needed.
class DeferredIconEngine : public QIconEngine {
public:
    explicit DeferredIconEngine(std::function<QIcon()> make) : make_(std::move(make)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Real().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Real().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Real().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Real().availableSizes(mode, state);
    }
    bool isNull() override { return Real().isNull(); }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon& Real() {
        if (!real_) {
            real_ = make_();
        }
        return *real_;
    }

    std::function<QIcon()> make_;
    std::optional<QIcon> real_;
};

class DeferredIconStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap which, const QStyleOption*, const QWidget*) const override {
        // The option and the widget may be gone when the icon is first used: the icon of the
        // style itself is asked for.
        const QStyle* base = baseStyle();
        return QIcon(new DeferredIconEngine([base, which] { return base->standardIcon(which); }));
    }
};

} // namespace

void DeferStandardIcons() {
    QApplication::setStyle(new DeferredIconStyle(QApplication::style()));
}

} // namespace corvane
