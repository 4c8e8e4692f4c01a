#pragma once

#include <QByteArray>

namespace corvane {

// Numbers of a font's tables, big-endian; 0 past the end of the table.
quint32 ReadU16(const QByteArray& data, qsizetype at);

inline int ReadI16(const QByteArray& data, qsizetype at) {
    return qint16(quint16(ReadU16(data, at)));
}

inline quint32 ReadU32(const QByteArray& data, qsizetype at) {
    return ReadU16(data, at) << 16 | ReadU16(data, at + 2);
}

inline void WriteU16(QByteArray& data, qsizetype at, quint32 value) {
    data[at] = char(value >> 8);
    data[at + 1] = char(value);
}

inline void AppendU16(QByteArray& data, quint32 value) {
    data += char(value >> 8);
    data += char(value);
}

inline void AppendU32(QByteArray& data, quint32 value) {
    AppendU16(data, value >> 16);
    AppendU16(data, value & 0xffff);
}

} // namespace corvane
