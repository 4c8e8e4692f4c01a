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

// Whether the name holds a byte that is not valid UTF-8: no other program takes it as text.
bool HoldsKeptBytes(const QString& name);

// "file:///..." with every byte of the path outside the plain letters, digits, "-._~" and "/"
// percent-encoded: how such a name is handed to another program. `path` is absolute.
QString FileUrlOf(const QString& path);

// The name as the user reads it: each kept byte shows as U+FFFD.
QString ShownName(const QString& name);

} // namespace corvane
