#pragma once

#include "core/UserMessage.h"

#include <QString>

namespace corvane {

class Desktop;
class Dialogs;

UserMessage PictureOpeningFailureMessage();

// "Ouvrir une image": a picture chosen in the images folder, handed to the desktop. The desktop
// may tell later that nothing took it; the user is told then.
void OpenPicture(Dialogs& dialogs, Desktop& desktop, const QString& imagesFolder);

} // namespace corvane
