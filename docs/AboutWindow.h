#pragma once

#include <QWidget>

namespace corvane {

class PictureCatalogue;

// "A propos": the maker's logo, links to the web site and to the support, a few words and the
// rights notice. A window of its own with a title bar only; it closes through its button
// "Fermer cette fenêtre" alone, and says `closed` then.
class AboutWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 500;
    static constexpr int kHeight = 225;

    explicit AboutWindow(const PictureCatalogue& pictures);

    // "A propos de Corvane V" and the program's version.
    static QString Title();
    // The text under the links, one line of the block each.
    static QStringList TextLines();

    // Tells the window manager that this window belongs to `owner`: every window manager keeps
    // such a window above its owner and with it. The owner stays the owner of nothing else.
    void StayAbove(QWidget& owner);

signals:
    void webSiteClicked();
    void supportClicked();
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void BuildPanel(const PictureCatalogue& pictures);
    void BuildStatusBar(const PictureCatalogue& pictures);
    void CloseThroughButton();
    void CentreOnScreen();
    void ComeBack();

    bool closingThroughButton_ = false;
};

} // namespace corvane
