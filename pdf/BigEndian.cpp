#include "pdf/BigEndian.h"

namespace corvane {

quint32 ReadU16(const QByteArray& data, qsizetype at) {
    if (at < 0 || at + 2 > data.size()) {
        return 0;
    }
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData()) + at;
    return quint32(bytes[0]) << 8 | bytes[1];
}

} // namespace corvane
