#pragma once

#include "core/EventDetails.h"
#include "core/UserMessage.h"

#include <QString>

#include <optional>

namespace corvane {

// The modal dialogs of the program: message boxes, the open-file dialog, the text prompt and the
// event's details. The window uses the real ones; tests install a script that answers in order.
class Dialogs : public MessageAsker {
public:
    // The file chosen in an open-file dialog that starts in `folder` and offers one filter
    // written "description|pattern"; a name that does not exist is accepted. Empty when cancelled.
    virtual QString ChooseFileToOpen(const QString& title, const QString& folder,
                                     const QString& filter) = 0;
    // The text typed into a one-line prompt; empty when cancelled.
    virtual QString PromptText(const QString& title, const QString& label) = 0;
    // The details of an event for its declaration dossier, asked in a dialog filled with
    // `proposed`, with `note` (when not empty) at its top; nothing when cancelled.
    virtual std::optional<EventDetails> AskEventDetails(const EventDetails& proposed,
                                                        const QString& note) = 0;
};

} // namespace corvane
