#include "store/OpenPicture.h"

#include "platform/desktop/Desktop.h"
#include "platform/desktop/Dialogs.h"

namespace corvane {

UserMessage PictureOpeningFailureMessage() {
    return {"Image évaluation", "Impossible d'ouvrir l'image sélectionnée!", MessageIcon::Warning,
            MessageButtons::Ok};
}

void OpenPicture(Dialogs& dialogs, Desktop& desktop, const QString& imagesFolder) {
    const QString path =
        dialogs.ChooseFileToOpen(QStringLiteral("Ouvrir une image d'évaluation"), imagesFolder,
                                 QStringLiteral("Fichiers images|*.jpeg"));
    if (path.isEmpty()) {
        return;
    }
    // The dialogs outlive every window, so the late answer may still use them.
    desktop.Open(path, [&dialogs](bool succeeded) {
        if (!succeeded) {
            dialogs.Ask(PictureOpeningFailureMessage());
        }
    });
}

} // namespace corvane
