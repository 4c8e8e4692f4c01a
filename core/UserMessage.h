#pragma once

#include <string>

namespace corvane {

enum class MessageIcon { Information, Warning, Error, Question };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

// A modal message box as the user sees it. "\r\n" and "\r" in the text are line breaks.
struct UserMessage {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
    // Enter answers No: for a question whose Yes deletes or overwrites a file, which the user
    // must choose on purpose.
    bool enterAnswersNo = false;

    bool operator==(const UserMessage&) const = default;
};

// Shows a message box and waits for the user's answer. The window answers with a real dialog;
// tests answer from a script.
class MessageAsker {
public:
    virtual ~MessageAsker() = default;
    virtual MessageAnswer Ask(const UserMessage& message) = 0;
};

} // namespace corvane
