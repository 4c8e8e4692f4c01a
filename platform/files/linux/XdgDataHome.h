#pragma once

#include <QByteArray>

namespace corvane {

// The user's data folder of the XDG base directories, as the file system's bytes: XDG_DATA_HOME
// when it is an absolute path (a relative or empty one is ignored, as the rules ask), otherwise
// the home's .local/share; empty when the home is not an absolute path either.
QByteArray XdgDataHome();

} // namespace corvane
