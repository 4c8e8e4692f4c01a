#include "docs/AboutWindow.h"

#include "assets/PictureCatalogue.h"
#include "assets/PictureTable.h"
#include "docs/Maker.h"
#include "platform/desktop/Placement.h"
#include "widgets/LinkLabel.h"
#include "widgets/TitleFont.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

namespace corvane {

namespace {

constexpr int kPanelHeight = 205;
constexpr int kStatusPictureWidth = 20;
constexpr QRgb kTextColour = qRgb(40, 56, 86);

QString ProgramNameAndVersion() {
    return QString::fromUtf8(kMakerName) + QStringLiteral(" V") + QStringLiteral(CORVANE_VERSION);
}

void PaintWhite(QWidget* widget) {
    widget->setAutoFillBackground(true);
    QPalette colours = widget->palette();
    colours.setColor(QPalette::Window, Qt::white);
    widget->setPalette(colours);
}

template <typename T> T* Placed(T* widget, const char* name, const QRect& geometry) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

QLabel* PictureLabel(QWidget* parent, const char* name, const QRect& geometry,
                     const QPixmap& picture) {
    auto* label = Placed(new QLabel(parent), name, geometry);
    label->setAlignment(Qt::AlignCenter);
    label->setPixmap(picture);
    return label;
}

QLabel* RaisedField(QStatusBar* statusBar, const char* name) {
    auto* field = new QLabel(statusBar);
    field->setObjectName(QString::fromLatin1(name));
    field->setFrameStyle(QFrame::Panel | QFrame::Raised);
    return field;
}

} // namespace

AboutWindow::AboutWindow(const PictureCatalogue& pictures)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("AboutWindow"));
    setWindowTitle(Title());
    setFixedSize(kWidth, kHeight);
    setFont(MakeControlFont());
    BuildPanel(pictures);
    BuildStatusBar(pictures);
    CentreOnScreen();
    // Window managers that leave the minimise and maximise boxes on a window whatever its Motif
    // hints say (openbox) take them away from a toolbar-type window, which keeps its title bar.
    // Qt sets the type on a native window only, so the window is made native first.
    create();
    setAttribute(Qt::WA_X11NetWmWindowTypeToolBar);
}

QString AboutWindow::Title() {
    return QStringLiteral("A propos de ") + ProgramNameAndVersion();
}

QStringList AboutWindow::TextLines() {
    return {ProgramNameAndVersion(), QString(),
            QStringLiteral("Pour toute question vous pouvez contacter l'auteur en utilisant "
                           "l'adresse e-mail ci-dessus."),
            QStringLiteral("Usage libre et gratuit.")};
}

void AboutWindow::BuildPanel(const PictureCatalogue& pictures) {
    auto* panel = Placed(new QFrame(this), "AboutPanel", {0, 0, kWidth, kPanelHeight});
    panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    panel->setLineWidth(1);
    PaintWhite(panel);

    PictureLabel(panel, "AboutLogoPicture", {0, 0, 247, 197}, pictures.Picture(kAboutLogoPicture))
        ->setAccessibleName(QStringLiteral("Logo de ") + QString::fromUtf8(kMakerName));
    PictureLabel(panel, "WebSitePicture", {300, 20, 20, 20}, pictures.Picture(kAboutPicture))
        ->setAccessibleName(QStringLiteral("Corvane"));
    auto* webSite = Placed(new LinkLabel(QString::fromUtf8(kWebSiteLinkText), panel), "WebSiteLink",
                           {325, 20, 80, 20});
    webSite->setToolTip(QStringLiteral("Se connecter au site web ") +
                        QString::fromUtf8(kWebSiteAddress));
    connect(webSite, &LinkLabel::clicked, this, &AboutWindow::webSiteClicked);

    PictureLabel(panel, "SupportPicture", {300, 45, 20, 20}, pictures.Picture(kSupportMailPicture))
        ->setAccessibleName(QStringLiteral("Messagerie"));
    auto* support = Placed(new LinkLabel(QStringLiteral("Contacter le support"), panel),
                           "SupportLink", {325, 45, 100, 20});
    support->setToolTip(QStringLiteral("Envoyer un e-mail au support"));
    connect(support, &LinkLabel::clicked, this, &AboutWindow::supportClicked);

    auto* text = Placed(new QLabel(TextLines().join(QLatin1Char('\n')), panel), "AboutText",
                        {260, 75, 230, 90});
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    PaintWhite(text);
    QPalette colours = text->palette();
    colours.setColor(QPalette::WindowText, QColor(kTextColour));
    text->setPalette(colours);

    auto* close = Placed(new QPushButton(QStringLiteral("Fermer cette fenêtre"), panel),
                         "CloseAboutButton", {260, 170, 230, 25});
    connect(close, &QPushButton::clicked, this, &AboutWindow::CloseThroughButton);
}

void AboutWindow::BuildStatusBar(const PictureCatalogue& pictures) {
    auto* statusBar = Placed(new QStatusBar(this), "AboutStatusBar",
                             {0, kPanelHeight, kWidth, kHeight - kPanelHeight});
    statusBar->setSizeGripEnabled(false);
    QLabel* picture = RaisedField(statusBar, "AboutStatusPicture");
    picture->setAccessibleName(QStringLiteral("Corvane"));
    picture->setFixedWidth(kStatusPictureWidth);
    picture->setAlignment(Qt::AlignCenter);
    picture->setPixmap(pictures.Picture(kAboutPicture));
    QLabel* notice = RaisedField(statusBar, "AboutStatusNotice");
    notice->setText(QStringLiteral(" ") + QString::fromUtf8(kRightsNotice));
    statusBar->addWidget(picture, 0);
    statusBar->addWidget(notice, 1);
}

void AboutWindow::StayAbove(QWidget& owner) {
    owner.winId(); // the owner's native window, made if need be
    windowHandle()->setTransientParent(owner.windowHandle());
}

void AboutWindow::CentreOnScreen() {
    if (const QScreen* shown = screen()) {
        move(CentredIn(shown->geometry(), QSize(kWidth, kHeight)));
    }
}

void AboutWindow::CloseThroughButton() {
    closingThroughButton_ = true;
    close();
}

// A window manager that minimises the window all the same would leave the main window disabled
// with nothing on screen to enable it again: the window comes straight back, once the window
// system has finished with the state change.
void AboutWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        QTimer::singleShot(0, this, &AboutWindow::ComeBack);
    }
}

void AboutWindow::ComeBack() {
    if (isMinimized()) {
        showNormal();
        raise();
        activateWindow();
    }
}

// The window manager, the session or a stray Alt+F4 cannot take the window away: only its
// button closes it, so that the main window is always enabled again.
void AboutWindow::closeEvent(QCloseEvent* event) {
    if (!closingThroughButton_) {
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}

} // namespace corvane
