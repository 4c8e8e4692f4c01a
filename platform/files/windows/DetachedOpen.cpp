#include "platform/files/DetachedOpen.h"

#include <QDir>

#include <string>

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

namespace corvane {

// The shell starts the program associated with the file and has let go of it when this returns;
// it fails when no program is associated with the file's type.
bool StartDesktopOpen(const QString& path) {
    // Some handlers are reached through COM, which the shell expects the caller to have started.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const std::wstring file = QDir::toNativeSeparators(path).toStdWString();
    SHELLEXECUTEINFOW request{};
    request.cbSize = sizeof request;
    request.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    request.lpVerb = L"open";
    request.lpFile = file.c_str();
    request.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&request) != 0;
}

} // namespace corvane
