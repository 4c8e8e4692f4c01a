#include "platform/desktop/QtDialogs.h"

#include "platform/desktop/EventDialog.h"
#include "platform/desktop/Placement.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTextBoundaryFinder>
#include <QVBoxLayout>

namespace corvane {

namespace {

const QSize kPromptSize(300, 130);

QWidget* WindowInFront() {
    return QApplication::activeWindow();
}

QMessageBox::Icon QtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons QtButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

MessageAnswer AnswerOf(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        return MessageAnswer::Ok;
    }
}

// A message box is at least about 250 pixels wide; forty characters of the control font are
// less than that. A longer run without a blank, such as a long name of one word, may be broken
// anywhere rather than run out of the box.
constexpr int kLongestUnbrokenRun = 40;

constexpr QChar kBreakOpportunity(0x200B); // zero width space

QString WithScreenLineBreaks(const std::string& text) {
    QString screen = QString::fromStdString(text);
    screen.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    screen.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return screen;
}

// The run with a break opportunity between each two of its characters (as the eye sees them).
QString BreakableAnywhere(QStringView run) {
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, run.data(), run.size());
    QString breakable;
    qsizetype start = 0;
    for (qsizetype end = characters.toNextBoundary(); end > 0; end = characters.toNextBoundary()) {
        if (start > 0) {
            breakable += kBreakOpportunity;
        }
        breakable += run.mid(start, end - start);
        start = end;
    }
    return breakable;
}

QString BreakOverlongRuns(const QString& text) {
    static const QRegularExpression overlongRun(
        QStringLiteral("\\S{%1,}").arg(kLongestUnbrokenRun + 1));
    QString broken;
    qsizetype done = 0;
    for (const QRegularExpressionMatch& run : overlongRun.globalMatch(text)) {
        broken += QStringView(text).mid(done, run.capturedStart() - done);
        broken += BreakableAnywhere(run.capturedView());
        done = run.capturedEnd();
    }
    broken += QStringView(text).mid(done);
    return broken;
}

// French sets a space inside braces and before "?", "!", ":" and ";". A line must not break
// there, or the brace or the mark would stand alone at the end or the start of a line.
QString KeepMarksWithTheirWords(QString text) {
    static const QRegularExpression breakableSpace(QStringLiteral("(?<=\\{) | (?=[?!:;}])"));
    return text.replace(breakableSpace, QString(QChar::Nbsp));
}

} // namespace

QString ScreenText(const std::string& text) {
    return KeepMarksWithTheirWords(BreakOverlongRuns(WithScreenLineBreaks(text)));
}

QString QtFileFilter(const QString& filter) {
    const qsizetype bar = filter.indexOf(QLatin1Char('|'));
    if (bar < 0) {
        return filter;
    }
    return filter.left(bar) + QStringLiteral(" (") + filter.mid(bar + 1) + QLatin1Char(')');
}

MessageAnswer QtDialogs::Ask(const UserMessage& message) {
    QMessageBox box(QtIcon(message.icon), QString::fromStdString(message.title),
                    ScreenText(message.text), QtButtons(message.buttons), WindowInFront());
    box.setTextFormat(Qt::PlainText);
    if (message.enterAnswersNo) {
        box.setDefaultButton(QMessageBox::No);
    }
    const int answer = box.exec();
    // Closing a Yes/No box from its title bar counts as No.
    if (message.buttons == MessageButtons::YesNo && answer != QMessageBox::Yes) {
        return MessageAnswer::No;
    }
    return AnswerOf(answer);
}

QString QtDialogs::ChooseFileToOpen(const QString& title, const QString& folder,
                                    const QString& filter) {
    QFileDialog dialog(WindowInFront(), title, folder, QtFileFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A name that does not exist is accepted: the opening then reports it.
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

QString QtDialogs::PromptText(const QString& title, const QString& label) {
    QDialog dialog(WindowInFront(), Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    dialog.setWindowTitle(title);
    dialog.setFixedSize(kPromptSize);
    auto* layout = new QVBoxLayout(&dialog);
    auto* caption = new QLabel(label, &dialog);
    layout->addWidget(caption);
    auto* field = new QLineEdit(&dialog);
    field->setObjectName(QStringLiteral("PromptField"));
    caption->setBuddy(field);
    field->setAccessibleName(label);
    layout->addWidget(field);
    // Enter presses the default button; Escape and the close box reject the dialog.
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setDefault(true);
    QObject::connect(ok, &QAbstractButton::clicked, &dialog, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignRight);
    if (const QScreen* screen = dialog.screen(); screen != nullptr) {
        dialog.setGeometry(QRect(CentredIn(screen->availableGeometry(), kPromptSize), kPromptSize));
    }
    field->setFocus();
    return dialog.exec() == QDialog::Accepted ? field->text() : QString();
}

std::optional<EventDetails> QtDialogs::AskEventDetails(const EventDetails& proposed,
                                                       const QString& note) {
    EventDialog dialog(proposed, note, WindowInFront());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Details();
}

} // namespace corvane
