#pragma once

#include <QAction>

#include <map>

class QMenuBar;
class QWidget;

namespace corvane {

class PictureCatalogue;

// The commands of the menu bar, by the number the program gives them.
enum MenuCommand {
    kOpenEvaluationCommand = 1,
    kNewEvaluationCommand = 2,
    kSaveEvaluationCommand = 3,
    kOpenPictureCommand = 5,
    kQuitCommand = 7,
    kGridFormCommand = 8,
    kFormUnder5000Command = 9,
    kFormOver5000Command = 10,
    kFlowchartCommand = 11,
    kReferenceCommand = 12,
    kAboutCommand = 13,
    kCheckUpdateCommand = 14,
    kHelpCommand = 15,
    // The window's own commands, numbered apart from those above.
    kDossierCommand = 121,
};

// Fills the menu bar "Fichier", "Edition", "Dossier", "?" and gives every command with a shortcut
// to `window` too, so that its keys work wherever the focus is in that window.
std::map<int, QAction*> BuildMainMenu(QMenuBar* menuBar, QWidget* window,
                                      const PictureCatalogue& pictures);

} // namespace corvane
