#pragma once

#include "platform/Desktop.h"

namespace corvane {

// The desktop served by Qt: standard locations, the desktop's URL handlers and processes.
class QtDesktop : public Desktop {
public:
    QString DocumentsFolder() override;
    QString WorkingDirectory() override;
    void Open(const QString& path, Outcome outcome = {}) override;
    void RunOrOpen(const QString& target, Outcome outcome = {}) override;
    void ShowProperties(const QString& path) override;
    bool MoveToRecycleBin(const QString& path) override;
};

// A folder path with the platform's separator at its end.
QString WithSeparator(const QString& folder);

} // namespace corvane
