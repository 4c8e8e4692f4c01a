#pragma once

#include "assets/PictureCatalogue.h"
#include "core/EvaluationStore.h"
#include "platform/desktop/FolderWatch.h"
#include "platform/files/DiskEvaluationFiles.h"
#include "shell/MainWindow.h"
#include "tests/support/ScriptedDesktop.h"
#include "tests/support/ScriptedDialogs.h"

#include <QDir>
#include <QTemporaryDir>

#include <memory>

namespace corvane {

// The real main window in a temporary home of its own, over scripted dialogs and a scripted
// desktop that give <home>/Documents/ as the Documents folder, <home>/work/ as the working
// directory and <home>/.local/share/corvane/ as the program's data folder, with the disk's
// evaluation files and the real folder watch. Like the system's desktop, it gives folders with
// the system's own separators, and so do Work() and Documents().
class WindowFixture {
public:
    WindowFixture();

    bool IsValid() const { return home_.isValid(); }
    QString Home() const { return home_.path(); }
    QString Work() const { return QDir::toNativeSeparators(Home() + "/work/"); }
    // A folder under <home>/Documents/ ("" for Documents itself), ending with a separator.
    QString Documents(const QString& folder = {}) const {
        return QDir::toNativeSeparators(Home() + "/Documents/" + folder +
                                        (folder.isEmpty() ? "" : "/"));
    }

    // Opens a new window in place of the last one, with the clock and, when given, a desktop,
    // evaluation files or folder watch of the test's own. A desktop without folders is given the
    // fixture's. False when the window did not show.
    bool Open(Clock clock, ScriptedDesktop* desktop = nullptr, EvaluationFiles* files = nullptr,
              FolderWatch* watch = nullptr);
    void Close() { window_.reset(); }
    MainWindow* Window() const { return window_.get(); }

    template <typename T = QWidget> T* Control(const QString& name) const {
        return window_->findChild<T*>(name);
    }

    // The program's pictures, decoded once for the whole test program.
    static const PictureCatalogue& Pictures();

    ScriptedDialogs dialogs;
    ScriptedDesktop desktop;
    DiskEvaluationFiles files;

private:
    QTemporaryDir home_;
    std::unique_ptr<FolderWatch> watch_ = MakeFolderWatch();
    std::unique_ptr<MainWindow> window_;
};

} // namespace corvane
