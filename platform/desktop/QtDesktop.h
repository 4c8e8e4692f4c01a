#pragma once

#include "platform/desktop/Desktop.h"

#include <QObject>

namespace corvane {

// The desktop served by Qt: standard locations, the desktop's URL handlers and processes.
class QtDesktop : public Desktop {
public:
    QtDesktop() = default;
    // Openings still waited for end here untold: whoever would hear of them may be gone.
    ~QtDesktop() override;
    QtDesktop(const QtDesktop&) = delete;
    QtDesktop& operator=(const QtDesktop&) = delete;

    QString DocumentsFolder() override;
    QString WorkingDirectory() override;
    QString UserDataFolder() override;
    void Open(const QString& path, Outcome outcome = {}) override;
    void RunOrOpen(const QString& target, Outcome outcome = {}) override;
    void ShowProperties(const QString& path) override;
    RecycleOutcome MoveToRecycleBin(const QString& path) override;

private:
    QObject openings_;
};

// A folder path with the platform's separator at its end.
QString WithSeparator(const QString& folder);

} // namespace corvane
