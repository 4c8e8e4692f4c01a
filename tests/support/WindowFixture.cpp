#include "tests/support/WindowFixture.h"

#include "platform/desktop/AppPaths.h"

#include <QDir>
#include <QTest>

namespace corvane {

WindowFixture::WindowFixture() {
    QDir().mkpath(Work());
}

bool WindowFixture::Open(Clock clock, ScriptedDesktop* otherDesktop, EvaluationFiles* otherFiles,
                         FolderWatch* otherWatch) {
    window_.reset();
    ScriptedDesktop& shownDesktop = otherDesktop != nullptr ? *otherDesktop : desktop;
    if (shownDesktop.documentsFolder.isEmpty()) {
        shownDesktop.documentsFolder = Documents();
    }
    if (shownDesktop.workingDirectory.isEmpty()) {
        shownDesktop.workingDirectory = Work();
    }
    if (shownDesktop.dataFolder.isEmpty()) {
        shownDesktop.dataFolder = QDir::toNativeSeparators(Home() + "/.local/share/corvane/");
    }
    window_ = std::make_unique<MainWindow>(
        WindowServices{dialogs, shownDesktop, otherFiles != nullptr ? *otherFiles : files,
                       otherWatch != nullptr ? *otherWatch : *watch_, std::move(clock), Pictures()},
        PrepareAppPaths(shownDesktop));
    window_->show();
    return QTest::qWaitForWindowExposed(window_.get());
}

const PictureCatalogue& WindowFixture::Pictures() {
    // Kept to the end of the process: pictures must not outlive the application object.
    static const PictureCatalogue* const pictures = new PictureCatalogue(PictureCatalogue::Load());
    return *pictures;
}

} // namespace corvane
