#include "shell/MainMenu.h"

#include "assets/PictureCatalogue.h"
#include "assets/PictureTable.h"
#include "widgets/TitleFont.h"

#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace corvane {

namespace {

constexpr int kRule = 0;
constexpr int kNoPicture = -1;

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
         {{kOpenEvaluationCommand, "Ouvrir une évaluation\tCtrl+O", kEvaluationsPicture,
           Qt::CTRL | Qt::Key_O},
          {kNewEvaluationCommand, "Nouvelle évaluation\tCtrl+N", kNewEvaluationPicture,
           Qt::CTRL | Qt::Key_N},
          {kRule, nullptr, kNoPicture, kNoKeys},
          {kSaveEvaluationCommand, "Enregistrer l'évaluation courante\tCtrl+S",
           kSaveEvaluationPicture, Qt::CTRL | Qt::Key_S},
          {kRule, nullptr, kNoPicture, kNoKeys},
          {kOpenPictureCommand, "Ouvrir une image\tCtrl+P", kImagesPicture, Qt::CTRL | Qt::Key_P},
          {kRule, nullptr, kNoPicture, kNoKeys},
          {kQuitCommand, "Quitter\tCtrl+Q", kQuitPicture, Qt::CTRL | Qt::Key_Q}}},
        {"Edition",
         {{kGridFormCommand, "Grille d'évaluation\tCtrl+G", kDocumentPicture, Qt::CTRL | Qt::Key_G},
          {kFormUnder5000Command, "Déclaration moins de 5000 personnes", kDocumentPicture, kNoKeys},
          {kFormOver5000Command, "Déclaration plus de 5000 personnes", kDocumentPicture, kNoKeys}}},
        {"Dossier",
         {{kDossierCommand, "Créer le dossier PDF de l'évaluation...", kDocumentPicture, kNoKeys}}},
        {"?",
         {{kFlowchartCommand, "Logigramme procédure de déclaration\tCtrl+L", kDocumentPicture,
           Qt::CTRL | Qt::Key_L},
          {kReferenceCommand, "Référentiel National des M.S.C.\tCtrl+R", kDocumentPicture,
           Qt::CTRL | Qt::Key_R},
          {kRule, nullptr, kNoPicture, kNoKeys},
          {kAboutCommand, "A propos", kAboutPicture, kNoKeys},
          {kRule, nullptr, kNoPicture, kNoKeys},
          {kCheckUpdateCommand, "Vérifier mise à jour", kCheckUpdatePicture, kNoKeys},
          {kRule, nullptr, kNoPicture, kNoKeys},
          {kHelpCommand, "Ouvrir l'aide\tCtrl+H", kHelpPicture, Qt::CTRL | Qt::Key_H}}},
    };
    return table;
}

} // namespace

std::map<int, QAction*> BuildMainMenu(QMenuBar* menuBar, QWidget* window,
                                      const PictureCatalogue& pictures) {
    std::map<int, QAction*> actions;
    for (const MenuTitle& title : MenuTable()) {
        QMenu* menu = menuBar->addMenu(QString::fromUtf8(title.title));
        // A menu is a window of its own, which does not inherit the main window's font.
        menu->setFont(MakeControlFont());
        for (const MenuEntry& entry : title.entries) {
            if (entry.command == kRule) {
                menu->addSeparator();
                continue;
            }
            // The text after the TAB is what the menu shows in its shortcut column: the menu draws
            // it from the action's shortcut, so that a screen reader hears the item's name alone
            // and the keys as its shortcut.
            const QString text = QString::fromUtf8(entry.text);
            QAction* action =
                menu->addAction(pictures.Icon(entry.picture), text.section(u'\t', 0, 0));
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
