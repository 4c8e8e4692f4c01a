#pragma once

#include "core/EvaluationStore.h"
#include "core/RiskGrid.h"

#include <QString>

namespace corvane {

class Dialogs;

// What the evaluation commands need of the window.
class EvaluationView {
public:
    virtual ~EvaluationView() = default;
    virtual QString NameFieldText() const = 0;
    // Puts the caret into NameField, its page brought to the front first.
    virtual void FocusNameField() = 0;
    virtual void ShowGridPage() = 0;
};

// The save, new-evaluation and open sequences, with their questions, around the grid and the
// evaluation files.
class EvaluationCommands {
public:
    EvaluationCommands(RiskGrid& grid, EvaluationStore& store, EvaluationFiles& files,
                       Dialogs& dialogs, EvaluationView& view, QString evaluationsPath);

    void Save();
    void StartNew();
    void Open();
    // Loads one evaluation file, then names the grid after it and brings the grid to the front,
    // whatever the outcome.
    void OpenTail(const QString& path);

private:
    RiskGrid& grid_;
    EvaluationStore& store_;
    EvaluationFiles& files_;
    Dialogs& dialogs_;
    EvaluationView& view_;
    QString evaluationsPath_;
};

} // namespace corvane
