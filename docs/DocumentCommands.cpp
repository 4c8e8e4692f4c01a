#include "docs/DocumentCommands.h"

#include "docs/Maker.h"
#include "platform/desktop/Desktop.h"
#include "platform/desktop/Dialogs.h"

#include <QPointer>

namespace corvane {

namespace {

const UserMessage kDocumentMissing{"Erreur", "Le fichier est introuvable.", MessageIcon::Warning,
                                   MessageButtons::Ok};
const UserMessage kSoftwarePageUnreachable{
    "Connexion...", "Impossible de se connecter au site. Vérifiez l'état de votre econnexion.",
    MessageIcon::Warning, MessageButtons::Ok};
const UserMessage kWebSiteUnreachable{"Connexion...", "Impossible de se connecter au site",
                                      MessageIcon::Warning, MessageButtons::Ok};
const UserMessage kMailUnavailable{"Messagerie...", "Impossible d'utiliser votre messagerie!",
                                   MessageIcon::Warning, MessageButtons::Ok};

const char* const kHelpFileName = "Corvane Help.chm";
const char* const kSupportSubject = " ?subject=Besoin d'aide avec Corvane";

} // namespace

DocumentCommands::DocumentCommands(Dialogs& dialogs, Desktop& desktop, const AppPaths& paths)
    : dialogs_(dialogs), desktop_(desktop), paths_(paths) {}

QString DocumentCommands::DocumentPath(const AppPaths& paths, ReferenceDocument document) {
    switch (document) {
    case ReferenceDocument::Reference:
        return paths.referencePdf;
    case ReferenceDocument::FormUnder5000:
        return paths.formUnder5000Pdf;
    case ReferenceDocument::FormOver5000:
        return paths.formOver5000Pdf;
    case ReferenceDocument::GridForm:
        return paths.gridPdf;
    case ReferenceDocument::Flowchart:
        return paths.flowchartPdf;
    }
    return {};
}

// Looked for at each command, so that a document put in place while the program runs is found.
// A folder of that name counts as there: the desktop shows it.
void DocumentCommands::OpenReferenceDocument(ReferenceDocument document) {
    const QString path = LocateAppFile(paths_, DocumentPath(paths_, document));
    if (path.isEmpty()) {
        dialogs_.Ask(kDocumentMissing);
        return;
    }
    desktop_.RunOrOpen(path);
}

void DocumentCommands::OpenHelp() {
    const QString here = desktop_.WorkingDirectory() + QString::fromUtf8(kHelpFileName);
    const QString found = LocateAppFile(paths_, here);
    desktop_.Open(found.isEmpty() ? here : found);
}

void DocumentCommands::OpenSoftwarePage() {
    RunOrOpenTellingFailure(QString::fromUtf8(kSoftwarePageAddress), kSoftwarePageUnreachable);
}

void DocumentCommands::OpenWebSite() {
    RunOrOpenTellingFailure(QString::fromUtf8(kWebSiteAddress), kWebSiteUnreachable);
}

void DocumentCommands::WriteToSupport() {
    RunOrOpenTellingFailure(SupportMailTarget(), kMailUnavailable);
}

QString DocumentCommands::SupportMailTarget() {
    return QStringLiteral("mailto:") + QString::fromUtf8(kSupportAddress) +
           QString::fromUtf8(kSupportSubject);
}

// The outcome may come from the event loop once the window that asked is gone; it only reaches
// the dialogs through this object, and not at all once this object is gone.
void DocumentCommands::RunOrOpenTellingFailure(const QString& target, const UserMessage& failure) {
    desktop_.RunOrOpen(target, [self = QPointer<DocumentCommands>(this), failure](bool succeeded) {
        if (!succeeded && self) {
            self->dialogs_.Ask(failure);
        }
    });
}

} // namespace corvane
