#pragma once
// The two running checksums of the archive formats, in their table-driven reflected
// form: crc := table[(crc xor byte) and 255] xor (crc shr 8). Callers do the pre- and
// post-inversion of CRC-32 themselves (ZIP and gzip start at 0xFFFFFFFF and store the
// complement; ARC and LHA start CRC-16 at 0 and store it as it is).
#include <cstdint>
#include <span>

namespace kv::arc {

// Polynomial 0xEDB88320 (ZIP, gzip, ARJ, RAR), computed by zlib.
std::uint32_t Crc32Update(std::uint32_t crc, std::span<const std::uint8_t> bytes);

// CRC-16/ARC, polynomial 0xA001 (ARC, LHA, ZOO).
std::uint16_t Crc16Update(std::uint16_t crc, std::span<const std::uint8_t> bytes);

}  // namespace kv::arc
