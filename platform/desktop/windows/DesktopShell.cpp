#include "platform/desktop/QtDesktop.h"

#include "platform/desktop/PropertiesWindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <windows.h>

#include <shellapi.h>

namespace corvane {

// The shell's own properties sheet, the one the Explorer shows; the program's window stands in
// when the shell has none for that path.
void QtDesktop::ShowProperties(const QString& path) {
    const std::wstring file =
        QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).toStdWString();
    SHELLEXECUTEINFOW request{};
    request.cbSize = sizeof request;
    request.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_FLAG_NO_UI;
    request.lpVerb = L"properties";
    request.lpFile = file.c_str();
    request.nShow = SW_SHOW;
    if (!ShellExecuteExW(&request)) {
        ShowPropertiesWindow(path);
    }
}

// The shell's recycle bin, through IFileOperation, from which the Explorer restores.
RecycleOutcome QtDesktop::MoveToRecycleBin(const QString& path) {
    const QFileInfo entry(path);
    if (!entry.exists() && !entry.isSymLink()) {
        return RecycleOutcome::Missing;
    }
    return QFile::moveToTrash(path) ? RecycleOutcome::Moved : RecycleOutcome::Failed;
}

} // namespace corvane
