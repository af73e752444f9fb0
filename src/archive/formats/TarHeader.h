#pragma once
// The 512-byte tar header.
#include <cstdint>

namespace kv::arc {

// True when the octal checksum at 148 equals the sum of all 512 bytes, the checksum
// field counted as blanks. Old tars summed signed bytes; both sums are accepted.
bool TarChecksumHolds(const std::uint8_t* header);

}  // namespace kv::arc
