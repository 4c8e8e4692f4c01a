#pragma once

#include "core/UserMessage.h"
#include "platform/desktop/RecycleOutcome.h"

#include <QString>

#include <optional>
#include <vector>

namespace corvane {

// An entry that a recycle command tried to move, and what became of it.
struct RecycledEntry {
    QString name;
    RecycleOutcome outcome;
};

// The one message that names the entries left in place and why, in plain words; nothing when
// every entry went or is gone anyway.
std::optional<UserMessage> LeftInPlaceMessage(const std::vector<RecycledEntry>& entries);

} // namespace corvane
