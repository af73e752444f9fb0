#pragma once
// Little-endian numbers from raw bytes whose length the caller has checked.
#include <cstdint>

namespace kv::arc {

inline std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
inline std::uint32_t Le32(const std::uint8_t* p) { return std::uint32_t{Le16(p)} | std::uint32_t{Le16(p + 2)} << 16; }

}  // namespace kv::arc
