#pragma once

#include <QByteArray>
#include <QString>

namespace corvane {

// A file name or path as the file system holds it is a string of bytes, UTF-8 where they are
// valid. In the program's text each byte that is not part of valid UTF-8 is kept as one code
// unit U+DC80..U+DCFF (a lone low surrogate, which valid UTF-8 never gives), so that every name
// read from a folder goes back to the very bytes it came from, and two names that differ only
// in such a byte stay two names.
QString NameFromNative(const QByteArray& bytes);
QByteArray NativeName(const QString& name);

// The name as the user reads it: each kept byte shows as U+FFFD.
QString ShownName(const QString& name);

} // namespace corvane
