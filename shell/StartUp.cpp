#include "shell/StartUp.h"

#include "assets/PictureCatalogue.h"
#include "assets/ProgramFonts.h"
#include "platform/desktop/AppPaths.h"
#include "platform/desktop/FolderWatch.h"
#include "platform/desktop/Placement.h"
#include "platform/desktop/QtDesktop.h"
#include "platform/desktop/QtDialogs.h"
#include "platform/desktop/SettingsNowhere.h"
#include "platform/desktop/SystemClock.h"
#include "platform/files/DiskEvaluationFiles.h"
#include "platform/files/FileSizeLimit.h"
#include "shell/MainWindow.h"
#include "widgets/DeferredIconStyle.h"
#include "widgets/PlainDialogButtons.h"
#include "widgets/TitleFont.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>

namespace corvane {

void PrepareProcess() {
    TreatFileSizeLimitAsWriteError();
    SendSettingsNowhere();
}

// Compiled in where the system has no Qt of its own to carry it (Windows), the system's otherwise.
void LoadFrenchTranslation(QApplication& application) {
    auto* translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_fr"), QStringLiteral(":/translations")) ||
        translator->load(QStringLiteral("qtbase_fr"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
    }
}

int RunProgram(QApplication& application) {
    QtDesktop desktop;
    QtDialogs dialogs;
    DiskEvaluationFiles files;
    const std::unique_ptr<FolderWatch> watch = MakeFolderWatch();
    const AppPaths paths = PrepareAppPaths(desktop);
    LoadFrenchTranslation(application);
    UsePlainDialogButtons();
    DeferStandardIcons();
    AddProgramFonts();
    HoldApplicationFont(MakeControlFont());
    const PictureCatalogue pictures = PictureCatalogue::Load();
    QApplication::setWindowIcon(LoadProgramIcon());
    // Wayland desktops find the program's menu entry and icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(CORVANE_APP_ID));

    MainWindow window({dialogs, desktop, files, *watch, LocalNow, pictures}, paths);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window.move(PlacedIn(screen->availableGeometry(), window.size()));
    }
    window.show();
    window.activateWindow();
    return QApplication::exec();
}

} // namespace corvane
