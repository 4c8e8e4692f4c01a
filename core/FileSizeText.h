#pragma once

#include <cstdint>
#include <string>

namespace corvane {

// A file size as the file lists count it, in kilobytes of 1024 bytes: rounded up below 1 GiB,
// so that a file of a few bytes never reads as empty, and rounded down from 1 GiB on.
std::uint64_t SizeInKilobytes(std::uint64_t bytes);

// The size column's text: the kilobytes in plain digits, then " KB".
std::string KilobyteText(std::uint64_t bytes);

} // namespace corvane
