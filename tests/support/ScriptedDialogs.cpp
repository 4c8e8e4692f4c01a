#include "tests/support/ScriptedDialogs.h"

namespace corvane {

void ScriptedDialogs::ScriptAnswers(std::initializer_list<MessageAnswer> answers) {
    answers_.insert(answers_.end(), answers.begin(), answers.end());
}

void ScriptedDialogs::ScriptFiles(const QStringList& paths) {
    files_ += paths;
}

void ScriptedDialogs::ScriptTexts(const QStringList& texts) {
    texts_ += texts;
}

void ScriptedDialogs::ScriptEventDetails(std::optional<EventDetails> answer) {
    eventAnswers_.push_back(std::move(answer));
}

MessageAnswer ScriptedDialogs::Ask(const UserMessage& message) {
    messages.push_back(message);
    if (answers_.empty()) {
        ++unexpected;
        return message.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    }
    const MessageAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

QString ScriptedDialogs::ChooseFileToOpen(const QString& title, const QString& folder,
                                          const QString& filter) {
    fileRequests.push_back({title, folder, filter});
    if (files_.isEmpty()) {
        ++unexpected;
        return {};
    }
    return files_.takeFirst();
}

QString ScriptedDialogs::PromptText(const QString& title, const QString& label) {
    prompts.push_back(title + QLatin1Char('|') + label);
    if (texts_.isEmpty()) {
        ++unexpected;
        return {};
    }
    return texts_.takeFirst();
}

std::optional<EventDetails> ScriptedDialogs::AskEventDetails(const EventDetails& proposed,
                                                             const QString& note) {
    eventRequests.emplace_back(proposed, note);
    if (eventAnswers_.empty()) {
        ++unexpected;
        return std::nullopt;
    }
    std::optional<EventDetails> answer = std::move(eventAnswers_.front());
    eventAnswers_.pop_front();
    return answer;
}

bool ScriptedDialogs::Finished() const {
    return unexpected == 0 && answers_.empty() && files_.isEmpty() && texts_.isEmpty() &&
           eventAnswers_.empty();
}

} // namespace corvane
