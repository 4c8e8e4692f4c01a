#include "platform/files/DetachedOpen.h"

#include <QDesktopServices>
#include <QUrl>

namespace corvane {

// The shell opens the file with the program the user chose for it, and has let go of it when
// this returns.
bool StartDesktopOpen(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace corvane
