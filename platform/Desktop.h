#pragma once

#include <QString>

namespace corvane {

// What the program asks of the desktop. Folder paths end with the path separator.
class Desktop {
public:
    virtual ~Desktop() = default;
    // The user's Documents folder, or empty when the desktop gives none.
    virtual QString DocumentsFolder() = 0;
    // The process's working directory.
    virtual QString WorkingDirectory() = 0;
    // The desktop's "open" action on a path; whether it was started.
    virtual bool Open(const QString& path) = 0;
    // Starts the target as a program when it is one, otherwise opens it (documents, web and
    // mailto addresses); whether it was started.
    virtual bool RunOrOpen(const QString& target) = 0;
    // Shows the properties sheet of a path, each path in a window of its own; the result is not
    // looked at.
    virtual void ShowProperties(const QString& path) = 0;
    // Moves one path, file or folder, into the user's recycle bin, from which it can be
    // restored; whether it went.
    virtual bool MoveToRecycleBin(const QString& path) = 0;
};

} // namespace corvane
