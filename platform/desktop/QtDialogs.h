#pragma once

#include "platform/desktop/Dialogs.h"

#include <QPointer>
#include <QWidget>

namespace corvane {

// The real dialogs: Qt's message box and file dialog, and a small prompt and the event's details
// of our own, each modal to the program's window that is in front.
class QtDialogs : public Dialogs {
public:
    MessageAnswer Ask(const UserMessage& message) override;
    QString ChooseFileToOpen(const QString& title, const QString& folder,
                             const QString& filter) override;
    QString PromptText(const QString& title, const QString& label) override;
    std::optional<EventDetails> AskEventDetails(const EventDetails& proposed,
                                                const QString& note) override;
};

// A message's text as its box shows it: "\r\n" and a lone "\r" are line breaks, a long run
// without a blank may break anywhere, and no brace or French mark stands alone on a line. Every
// character of the message is shown.
QString ScreenText(const std::string& text);

// Qt's filter text "description (pattern)" for the program's "description|pattern".
QString QtFileFilter(const QString& filter);

} // namespace corvane
