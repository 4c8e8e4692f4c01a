#pragma once

#include <cstddef>
#include <string_view>

namespace corvane {

// A file read piece by piece, so that a huge file is never held whole in memory.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Fills up to `capacity` bytes; returns how many, 0 at the end, -1 on a read error.
    virtual std::ptrdiff_t Read(char* buffer, std::size_t capacity) = 0;
};

// Bytes already in memory.
class MemoryByteSource : public ByteSource {
public:
    explicit MemoryByteSource(std::string_view bytes) : bytes_(bytes) {}
    std::ptrdiff_t Read(char* buffer, std::size_t capacity) override;

private:
    std::string_view bytes_;
};

} // namespace corvane
