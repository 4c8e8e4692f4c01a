#include "platform/files/NativeNames.h"

#include <algorithm>

namespace corvane {

namespace {

constexpr char16_t kFirstKeptByte = 0xDC80;
constexpr char16_t kLastKeptByte = 0xDCFF;

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence that starts at `at`, and its code point; 0 when the
// bytes there are no valid sequence (overlong forms, surrogates and values past U+10FFFF
// included).
int ValidSequence(const unsigned char* at, const unsigned char* end, char32_t& codePoint) {
    const unsigned char lead = *at;
    int length = 0;
    char32_t lowest = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
        lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        lowest = 0x10000;
    } else {
        return 0;
    }
    if (end - at < length) {
        return 0;
    }
    for (int i = 1; i < length; ++i) {
        if (!IsContinuation(at[i])) {
            return 0;
        }
        codePoint = (codePoint << 6) | (at[i] & 0x3F);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    return codePoint < lowest || surrogate || codePoint > 0x10FFFF ? 0 : length;
}

void AppendUtf8(char32_t codePoint, QByteArray& bytes) {
    if (codePoint < 0x80) {
        bytes += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        bytes += static_cast<char>(0xC0 | (codePoint >> 6));
        bytes += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        bytes += static_cast<char>(0xE0 | (codePoint >> 12));
        bytes += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        bytes += static_cast<char>(0xF0 | (codePoint >> 18));
        bytes += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        bytes += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

} // namespace

QString NameFromNative(const QByteArray& bytes) {
    // Most names are plain ASCII, converted in one call.
    if (std::all_of(bytes.begin(), bytes.end(),
                    [](char byte) { return static_cast<unsigned char>(byte) < 0x80; })) {
        return QString::fromLatin1(bytes);
    }
    QString name;
    name.reserve(bytes.size());
    const auto* at = reinterpret_cast<const unsigned char*>(bytes.constData());
    const auto* end = at + bytes.size();
    while (at < end) {
        char32_t codePoint = 0;
        const int length = ValidSequence(at, end, codePoint);
        if (length == 0) {
            name += QChar(static_cast<char16_t>(kFirstKeptByte - 0x80 + *at));
            ++at;
            continue;
        }
        if (codePoint < 0x10000) {
            name += QChar(static_cast<char16_t>(codePoint));
        } else {
            name += QChar(QChar::highSurrogate(codePoint));
            name += QChar(QChar::lowSurrogate(codePoint));
        }
        at += length;
    }
    return name;
}

QByteArray NativeName(const QString& name) {
    QByteArray bytes;
    bytes.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i].unicode();
        if (unit >= kFirstKeptByte && unit <= kLastKeptByte) {
            bytes += static_cast<char>(unit - kFirstKeptByte + 0x80);
        } else if (QChar::isHighSurrogate(unit) && i + 1 < name.size() &&
                   name[i + 1].isLowSurrogate()) {
            AppendUtf8(QChar::surrogateToUcs4(unit, name[i + 1].unicode()), bytes);
            ++i;
        } else if (QChar::isSurrogate(unit)) {
            AppendUtf8(QChar::ReplacementCharacter, bytes);
        } else {
            AppendUtf8(unit, bytes);
        }
    }
    return bytes;
}

bool HoldsKeptBytes(const QString& name) {
    return std::any_of(name.begin(), name.end(), [](QChar unit) {
        return unit.unicode() >= kFirstKeptByte && unit.unicode() <= kLastKeptByte;
    });
}

QString FileUrlOf(const QString& path) {
    return QStringLiteral("file://") + QString::fromLatin1(NativeName(path).toPercentEncoding("/"));
}

QString ShownName(const QString& name) {
    QString shown = name;
    for (QChar& unit : shown) {
        if (unit.unicode() >= kFirstKeptByte && unit.unicode() <= kLastKeptByte) {
            unit = QChar::ReplacementCharacter;
        }
    }
    return shown;
}

} // namespace corvane
