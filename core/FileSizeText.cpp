#include "core/FileSizeText.h"

namespace corvane {

std::uint64_t SizeInKilobytes(std::uint64_t bytes) {
    constexpr std::uint64_t kKilobyte = 1024;
    constexpr std::uint64_t kGibibyte = kKilobyte * kKilobyte * kKilobyte;
    if (bytes >= kGibibyte) {
        return bytes / kKilobyte;
    }
    return bytes / kKilobyte + (bytes % kKilobyte != 0 ? 1 : 0);
}

std::string KilobyteText(std::uint64_t bytes) {
    return std::to_string(SizeInKilobytes(bytes)) + " KB";
}

} // namespace corvane
