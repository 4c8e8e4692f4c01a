#pragma once

#include "core/EventDetails.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace corvane {

class Desktop;
class Dialogs;
struct OpenedEvaluation;

// Makes an event's declaration dossier from saved evaluations: asks the event's details,
// proposing those kept from the last time one of them was in a dossier, keeps them beside the
// dossier, writes the PDF whole into the dossiers folder and opens it with the desktop's viewer.
class DossierCommands : public QObject {
    Q_OBJECT

public:
    DossierCommands(Dialogs& dialogs, Desktop& desktop, QString dossiersFolder);

    // The dossier of the evaluation files `paths`, in that order; `foldersLeftOut` are names of
    // selected sub-folders, left out with a word.
    void MakeDossier(const QStringList& paths, const QStringList& foldersLeftOut = {});

private:
    // The details kept for the event that last held the first evaluation, or new ones named
    // after it; in both, the evaluations as given.
    EventDetails ProposedDetails(const std::vector<OpenedEvaluation>& evaluations) const;
    // Writes the details and the PDF; false, after telling why, when the PDF could not be.
    bool WriteDossier(const EventDetails& details, const std::vector<OpenedEvaluation>& evaluations,
                      QString& pdfPath);
    void Tell(const QString& title, const QString& text);

    Dialogs& dialogs_;
    Desktop& desktop_;
    QString folder_;
    // Details typed for a dossier that could not be written, proposed again before any kept
    // ones, so that a full disk or a protected folder does not lose them.
    std::optional<EventDetails> unwritten_;
};

} // namespace corvane
