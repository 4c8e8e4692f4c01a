#include "platform/desktop/SettingsNowhere.h"

#include <QSettings>

namespace corvane {

void SendSettingsNowhere() {
    // No folder can ever exist below a device file.
    const QString nowhere = QStringLiteral("/dev/null/");
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        for (const QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope}) {
            QSettings::setPath(format, scope, nowhere);
        }
    }
}

} // namespace corvane
