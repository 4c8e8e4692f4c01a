#include "shell/MainMenu.h"

#include "shell/PictureCatalogue.h"

#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace corvane {

namespace {

constexpr int kRule = 0;

struct MenuEntry {
    int command; // kRule for a separator line
    const char* text;
    int picture;
    QKeyCombination keys;
};

struct MenuTitle {
    const char* title;
    std::initializer_list<MenuEntry> entries;
};

constexpr QKeyCombination kNoKeys{};

const std::initializer_list<MenuTitle>& MenuTable() {
    static const std::initializer_list<MenuTitle> table{
        {"Fichier",
         {{kOpenEvaluationCommand, "Ouvrir une évaluation\tCtrl+O", 8, Qt::CTRL | Qt::Key_O},
          {kNewEvaluationCommand, "Nouvelle évaluation\tCtrl+N", 5, Qt::CTRL | Qt::Key_N},
          {kRule, nullptr, 0, kNoKeys},
          {kSaveEvaluationCommand, "Enregistrer l'évaluation courante\tCtrl+S", 7,
           Qt::CTRL | Qt::Key_S},
          {kRule, nullptr, 0, kNoKeys},
          {kOpenPictureCommand, "Ouvrir une image\tCtrl+P", 32, Qt::CTRL | Qt::Key_P},
          {kRule, nullptr, 0, kNoKeys},
          {kQuitCommand, "Quitter\tCtrl+Q", 1, Qt::CTRL | Qt::Key_Q}}},
        {"Edition",
         {{kGridFormCommand, "Grille d'évaluation\tCtrl+G", 2, Qt::CTRL | Qt::Key_G},
          {kFormUnder5000Command, "Déclaration moins de 5000 personnes", 2, kNoKeys},
          {kFormOver5000Command, "Déclaration plus de 5000 personnes", 2, kNoKeys}}},
        {"?",
         {{kFlowchartCommand, "Logigramme procédure de déclaration\tCtrl+L", 2,
           Qt::CTRL | Qt::Key_L},
          {kReferenceCommand, "Référentiel National des M.S.C.\tCtrl+R", 2, Qt::CTRL | Qt::Key_R},
          {kRule, nullptr, 0, kNoKeys},
          {kAboutCommand, "A propos", 0, kNoKeys},
          {kRule, nullptr, 0, kNoKeys},
          {kCheckUpdateCommand, "Vérifier mise à jour", 6, kNoKeys},
          {kRule, nullptr, 0, kNoKeys},
          {kHelpCommand, "Ouvrir l'aide\tCtrl+H", 31, Qt::CTRL | Qt::Key_H}}},
    };
    return table;
}

} // namespace

std::map<int, QAction*> BuildMainMenu(QMenuBar* menuBar, QWidget* window,
                                      const PictureCatalogue& pictures) {
    std::map<int, QAction*> actions;
    for (const MenuTitle& title : MenuTable()) {
        QMenu* menu = menuBar->addMenu(QString::fromUtf8(title.title));
        for (const MenuEntry& entry : title.entries) {
            if (entry.command == kRule) {
                menu->addSeparator();
                continue;
            }
            // The text after the TAB is what the menu shows in its shortcut column.
            QAction* action =
                menu->addAction(pictures.Icon(entry.picture), QString::fromUtf8(entry.text));
            action->setObjectName(QStringLiteral("MenuCommand%1").arg(entry.command));
            if (entry.keys != kNoKeys) {
                action->setShortcut(QKeySequence(entry.keys));
                action->setShortcutContext(Qt::WindowShortcut);
                window->addAction(action);
            }
            actions[entry.command] = action;
        }
    }
    return actions;
}

} // namespace corvane
