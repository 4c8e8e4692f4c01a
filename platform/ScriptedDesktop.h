#pragma once

#include "platform/Desktop.h"

#include <QStringList>

namespace corvane {

// A desktop for tests: fixed folders, and every request kept instead of carried out.
class ScriptedDesktop : public Desktop {
public:
    QString DocumentsFolder() override { return documentsFolder; }
    QString WorkingDirectory() override { return workingDirectory; }
    bool Open(const QString& path) override {
        opened << path;
        return succeeds;
    }
    bool RunOrOpen(const QString& target) override {
        started << target;
        return succeeds;
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
};

} // namespace corvane
