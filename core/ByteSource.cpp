#include "core/ByteSource.h"

#include <algorithm>
#include <cstring>

namespace corvane {

std::ptrdiff_t MemoryByteSource::Read(char* buffer, std::size_t capacity) {
    const std::size_t count = std::min(capacity, bytes_.size());
    if (count > 0) {
        std::memcpy(buffer, bytes_.data(), count);
    }
    bytes_.remove_prefix(count);
    return static_cast<std::ptrdiff_t>(count);
}

} // namespace corvane
