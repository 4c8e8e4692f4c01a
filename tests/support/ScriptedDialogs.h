#pragma once

#include "platform/desktop/Dialogs.h"

#include <QStringList>

#include <deque>
#include <vector>

namespace corvane {

// Dialogs answered from a script, in order, for tests. Every question is kept. A dialog that
// finds its script empty is cancelled (No, or an empty text) and counted as unexpected.
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

    MessageAnswer Ask(const UserMessage& message) override;
    QString ChooseFileToOpen(const QString& title, const QString& folder,
                             const QString& filter) override;
    QString PromptText(const QString& title, const QString& label) override;

    // Whether every scripted answer was used and nothing unexpected was asked.
    bool Finished() const;

    std::vector<UserMessage> messages;
    std::vector<FileRequest> fileRequests;
    QStringList prompts;
    int unexpected = 0;

private:
    std::deque<MessageAnswer> answers_;
    QStringList files_;
    QStringList texts_;
};

} // namespace corvane
