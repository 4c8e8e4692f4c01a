#pragma once

namespace corvane {

// Takes the pictures off the standard buttons of dialogs (message boxes, the text prompt, the
// file dialog): the coloured balls Qt puts on "Oui", "Non", "OK" appear in no desktop's own
// dialogs. Wraps the application's style; call once, after the application exists.
void UsePlainDialogButtons();

} // namespace corvane
