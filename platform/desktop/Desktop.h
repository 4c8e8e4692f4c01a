#pragma once

#include "platform/desktop/RecycleOutcome.h"

#include <QString>

#include <functional>

namespace corvane {

// What the program asks of the desktop. Folder paths end with the path separator.
class Desktop {
public:
    virtual ~Desktop() = default;
    // The user's Documents folder, or empty when the desktop gives none.
    virtual QString DocumentsFolder() = 0;
    // The process's working directory.
    virtual QString WorkingDirectory() = 0;
    // The program's own folder among the user's data, where the reference documents and the help
    // are looked for when the working directory lacks them; empty when the system gives none.
    virtual QString UserDataFolder() = 0;
    // Told, once, whether a program took what was handed over. It may be told after the call
    // has returned, while the window goes on working.
    using Outcome = std::function<void(bool succeeded)>;

    // The desktop's "open" action on a path.
    virtual void Open(const QString& path, Outcome outcome = {}) = 0;
    // Starts the target as a program when it is one, otherwise opens it (documents, web and
    // mailto addresses).
    virtual void RunOrOpen(const QString& target, Outcome outcome = {}) = 0;
    // Shows the properties sheet of a path, each path in a window of its own; the result is not
    // looked at.
    virtual void ShowProperties(const QString& path) = 0;
    // Moves one path, file or folder, into the user's recycle bin, from which it can be
    // restored; whether it went, and why not.
    virtual RecycleOutcome MoveToRecycleBin(const QString& path) = 0;
};

} // namespace corvane
