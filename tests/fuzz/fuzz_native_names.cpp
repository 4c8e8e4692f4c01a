#include "platform/files/NativeNames.h"

#include <cstdint>
#include <cstdlib>

// Any bytes a folder can give come back unchanged, and any text goes out and back unchanged
// once it has been through the file system's bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (corvane::NativeName(corvane::NameFromNative(bytes)) != bytes) {
        std::abort();
    }
    const QString text(reinterpret_cast<const QChar*>(data), static_cast<qsizetype>(size / 2));
    const QByteArray once = corvane::NativeName(text);
    if (corvane::NativeName(corvane::NameFromNative(once)) != once) {
        std::abort();
    }
    return 0;
}
