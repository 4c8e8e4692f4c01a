#include "shell/EvaluationCommands.h"

#include "platform/desktop/Dialogs.h"
#include "platform/files/NativeNames.h"

#include <QFileInfo>

namespace corvane {

namespace {

UserMessage EmptyNameMessage() {
    return {"Enregistrement", "Vous devez donner un nom à l'évaluation", MessageIcon::Information,
            MessageButtons::Ok};
}

UserMessage ReplaceQuestion() {
    return {"Enregistrer", "Le fichier existe déjà.\r\nVoulez-vous le remplacer ?",
            MessageIcon::Question, MessageButtons::YesNoCancel, true};
}

UserMessage SavedMessage(const std::string& name) {
    return {"Enregistrement", "L'évaluation " + name + " a bien été enregistrée",
            MessageIcon::Information, MessageButtons::Ok};
}

UserMessage SaveFirstQuestion() {
    return {"Enregistrer",
            "Voulez-vous d'abord sauvegarder les données actuelles ? Si oui utilisez la commande "
            "{ Enregistrer l'évaluation courante }",
            MessageIcon::Question, MessageButtons::YesNo};
}

} // namespace

EvaluationCommands::EvaluationCommands(RiskGrid& grid, EvaluationStore& store,
                                       EvaluationFiles& files, Dialogs& dialogs,
                                       EvaluationView& view, QString evaluationsPath)
    : grid_(grid), store_(store), files_(files), dialogs_(dialogs), view_(view),
      evaluationsPath_(std::move(evaluationsPath)) {}

void EvaluationCommands::Save() {
    const std::string name = view_.NameFieldText().toStdString();
    if (name.empty()) {
        dialogs_.Ask(EmptyNameMessage());
        view_.FocusNameField();
        return;
    }
    // A name that leads out of the folder is refused by the save itself; no file out there is
    // offered for replacement.
    if (store_.NameStaysInFolder(name) && files_.Exists(store_.PathForName(name)) &&
        dialogs_.Ask(ReplaceQuestion()) != MessageAnswer::Yes) {
        return;
    }
    FileOutcome outcome = store_.SaveEvaluation(name);
    while (outcome == FileOutcome::RetryRequested) {
        outcome = store_.SaveEvaluation(name);
    }
    if (outcome == FileOutcome::Done) {
        dialogs_.Ask(SavedMessage(name));
        grid_.ResetEvaluation();
    }
}

void EvaluationCommands::StartNew() {
    if (view_.NameFieldText().isEmpty()) {
        return;
    }
    if (dialogs_.Ask(SaveFirstQuestion()) == MessageAnswer::No) {
        grid_.ResetEvaluation();
    }
}

void EvaluationCommands::Open() {
    const QString path =
        dialogs_.ChooseFileToOpen(QStringLiteral("Ouvrir une évaluation"), evaluationsPath_,
                                  QStringLiteral("Fichiers de paramètres|*.ini"));
    if (!path.isEmpty()) {
        OpenTail(path);
    }
}

void EvaluationCommands::OpenTail(const QString& path) {
    const std::string file = NativeName(path).toStdString();
    FileOutcome outcome = store_.OpenEvaluation(file);
    while (outcome == FileOutcome::RetryRequested) {
        outcome = store_.OpenEvaluation(file);
    }
    grid_.SetName(QFileInfo(path).completeBaseName().toStdString());
    view_.ShowGridPage();
}

} // namespace corvane
