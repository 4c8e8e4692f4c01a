#pragma once

#include "platform/desktop/Desktop.h"

#include <QStringList>

namespace corvane {

// A desktop for tests: fixed folders, and every request kept instead of carried out.
class ScriptedDesktop : public Desktop {
public:
    QString DocumentsFolder() override { return documentsFolder; }
    QString WorkingDirectory() override { return workingDirectory; }
    QString UserDataFolder() override { return dataFolder; }
    void Open(const QString& path, Outcome outcome = {}) override {
        opened << path;
        Tell(outcome);
    }
    void RunOrOpen(const QString& target, Outcome outcome = {}) override {
        started << target;
        Tell(outcome);
    }
    void ShowProperties(const QString& path) override { propertiesShown << path; }
    RecycleOutcome MoveToRecycleBin(const QString& path) override {
        recycled << path;
        return recycleOutcomes.value(recycled.size() - 1, RecycleOutcome::Moved);
    }

    QString documentsFolder;
    QString workingDirectory;
    QString dataFolder;
    bool succeeds = true;
    // What each call of MoveToRecycleBin answers, in order; Moved past the end.
    QList<RecycleOutcome> recycleOutcomes;
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
