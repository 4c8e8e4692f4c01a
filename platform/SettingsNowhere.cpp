#include "platform/SettingsNowhere.h"

#include <QSettings>

namespace corvane {

void SendSettingsNowhere() {
#if defined(Q_OS_UNIX)
    // No folder can ever exist below a device file.
    const QString nowhere = QStringLiteral("/dev/null/");
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        for (const QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope}) {
            QSettings::setPath(format, scope, nowhere);
        }
    }
#endif
}

} // namespace corvane
