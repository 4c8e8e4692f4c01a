#pragma once

#include "platform/Desktop.h"

#include <QStringList>

namespace corvane {

// A desktop for tests: fixed folders, and every request kept instead of carried out.
class ScriptedDesktop : public Desktop {
public:
    QString DocumentsFolder() override { return documentsFolder; }
    QString WorkingDirectory() override { return workingDirectory; }
    void Open(const QString& path, Outcome outcome = {}) override {
        opened << path;
        Tell(outcome);
    }
    void RunOrOpen(const QString& target, Outcome outcome = {}) override {
        started << target;
        Tell(outcome);
    }
    void ShowProperties(const QString& path) override { propertiesShown << path; }
    bool MoveToRecycleBin(const QString& path) override {
        recycled << path;
        return succeeds;
    }

    QString documentsFolder;
    QString workingDirectory;
    bool succeeds = true;
    QStringList opened;
    QStringList started;
    QStringList propertiesShown;
    QStringList recycled;

private:
    void Tell(const Outcome& outcome) const {
        if (outcome) {
            outcome(succeeds);
        }
    }
};

} // namespace corvane
