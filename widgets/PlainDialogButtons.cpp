#include "widgets/PlainDialogButtons.h"

#include <QApplication>
#include <QProxyStyle>

namespace corvane {

namespace {

class NoPicturesOnDialogButtons : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons) {
            return 0;
        }
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

} // namespace

void UsePlainDialogButtons() {
    // The proxy takes the application's style over, and the application the proxy.
    QApplication::setStyle(new NoPicturesOnDialogButtons(QApplication::style()));
}

} // namespace corvane
