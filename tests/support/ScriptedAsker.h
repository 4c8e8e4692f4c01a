#pragma once

#include "core/UserMessage.h"

#include <deque>
#include <vector>

namespace corvane {

// Answers message boxes from a script, in order, and keeps every message asked. A message that
// finds the script empty is answered No and counted as unexpected.
class ScriptedAsker : public MessageAsker {
public:
    void Script(std::initializer_list<MessageAnswer> answers) {
        answers_.insert(answers_.end(), answers.begin(), answers.end());
    }

    MessageAnswer Ask(const UserMessage& message) override {
        asked.push_back(message);
        if (answers_.empty()) {
            ++unexpected;
            return MessageAnswer::No;
        }
        const MessageAnswer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

    std::size_t Unanswered() const { return answers_.size(); }

    std::vector<UserMessage> asked;
    int unexpected = 0;

private:
    std::deque<MessageAnswer> answers_;
};

} // namespace corvane
