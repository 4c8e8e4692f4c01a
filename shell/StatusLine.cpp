#include "shell/StatusLine.h"

#include "assets/PictureCatalogue.h"
#include "assets/PictureTable.h"
#include "docs/Maker.h"

#include <QLabel>
#include <QStatusBar>

namespace corvane {

namespace {

constexpr int kPictureFieldWidth = 25;

QLabel* RaisedField(const QString& text, QStatusBar* statusBar) {
    auto* field = new QLabel(text, statusBar);
    field->setFrameStyle(QFrame::Panel | QFrame::Raised);
    return field;
}

} // namespace

void FillStatusLine(QStatusBar* statusBar, const PictureCatalogue& pictures,
                    const CalendarDate& today) {
    statusBar->setObjectName(QStringLiteral("StatusLine"));
    statusBar->setSizeGripEnabled(false);

    QLabel* date = RaisedField(
        QStringLiteral("Date : ") + QString::fromStdString(FrenchLongDate(today)), statusBar);
    date->setObjectName(QStringLiteral("StatusDateField"));
    QLabel* product =
        RaisedField(QStringLiteral("Corvane  ") + QString::fromUtf8(kRightsNotice), statusBar);
    product->setObjectName(QStringLiteral("StatusProductField"));
    product->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* picture = new QLabel(statusBar);
    picture->setObjectName(QStringLiteral("StatusPictureField"));
    picture->setFixedWidth(kPictureFieldWidth);
    picture->setAlignment(Qt::AlignCenter);
    picture->setPixmap(pictures.Picture(kAboutPicture));
    picture->setAccessibleName(QStringLiteral("Corvane"));

    statusBar->addWidget(date, 1);
    statusBar->addWidget(product, 1);
    statusBar->addWidget(picture, 0);
}

} // namespace corvane
