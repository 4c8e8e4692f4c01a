#pragma once

#include <QDialog>

namespace corvane {

// The program's own properties sheet of one path, for desktops whose file manager shows none:
// name, folder, type, size, last modification, permissions and owner. A window of its own, not
// modal, gone once closed.
class PropertiesWindow : public QDialog {
    Q_OBJECT

public:
    explicit PropertiesWindow(const QString& path);
};

// Opens a new properties window on `path` and leaves it to the user.
void ShowPropertiesWindow(const QString& path);

} // namespace corvane
