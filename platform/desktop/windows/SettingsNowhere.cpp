#include "platform/desktop/SettingsNowhere.h"

#include <QSettings>

namespace corvane {

// The native format is the registry, which takes no path: settings that name no format of their
// own are made INI files instead, below a device, where no folder can ever be made.
void SendSettingsNowhere() {
    QSettings::setDefaultFormat(QSettings::IniFormat);
    const QString nowhere = QStringLiteral("//./NUL/");
    for (const QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope}) {
        QSettings::setPath(QSettings::IniFormat, scope, nowhere);
    }
}

} // namespace corvane
