#pragma once

#include "platform/desktop/Dialogs.h"

#include <QStringList>

#include <deque>
#include <optional>
#include <utility>
#include <vector>

namespace corvane {

// Dialogs answered from a script, in order, for tests. Every question is kept. A dialog that
// finds its script empty is cancelled (No, an empty text or no details) and counted as
// unexpected.
class ScriptedDialogs : public Dialogs {
public:
    struct FileRequest {
        QString title;
        QString folder;
        QString filter;
    };

    void ScriptAnswers(std::initializer_list<MessageAnswer> answers);
    void ScriptFiles(const QStringList& paths);
    void ScriptTexts(const QStringList& texts);
    // An answer of nothing is the dialog cancelled.
    void ScriptEventDetails(std::optional<EventDetails> answer);

    MessageAnswer Ask(const UserMessage& message) override;
    QString ChooseFileToOpen(const QString& title, const QString& folder,
                             const QString& filter) override;
    QString PromptText(const QString& title, const QString& label) override;
    std::optional<EventDetails> AskEventDetails(const EventDetails& proposed,
                                                const QString& note) override;

    // Whether every scripted answer was used and nothing unexpected was asked.
    bool Finished() const;

    std::vector<UserMessage> messages;
    std::vector<FileRequest> fileRequests;
    QStringList prompts;
    // The proposed details and the note of each request.
    std::vector<std::pair<EventDetails, QString>> eventRequests;
    int unexpected = 0;

private:
    std::deque<MessageAnswer> answers_;
    QStringList files_;
    QStringList texts_;
    std::deque<std::optional<EventDetails>> eventAnswers_;
};

} // namespace corvane
