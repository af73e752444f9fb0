#include "archive/Checksum.h"

#include <array>
#include <zlib.h>

namespace kv::arc {

std::uint32_t Crc32Update(std::uint32_t crc, std::span<const std::uint8_t> bytes) {
    // zlib inverts on the way in and out; undoing both leaves the bare table step.
    uLong c = ~crc & 0xFFFFFFFFu;
    const Bytef* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        uInt chunk = left > 0x40000000u ? 0x40000000u : static_cast<uInt>(left);
        c = crc32(c, p, chunk);
        p += chunk;
        left -= chunk;
    }
    return ~static_cast<std::uint32_t>(c);
}

namespace {

constexpr std::array<std::uint16_t, 256> makeCrc16Table() {
    std::array<std::uint16_t, 256> t{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned c = i;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? (c >> 1) ^ 0xA001u : c >> 1;
        t[i] = static_cast<std::uint16_t>(c);
    }
    return t;
}

constexpr auto kCrc16Table = makeCrc16Table();

}  // namespace

std::uint16_t Crc16Update(std::uint16_t crc, std::span<const std::uint8_t> bytes) {
    unsigned c = crc;
    for (std::uint8_t b : bytes) c = kCrc16Table[(c ^ b) & 0xFF] ^ (c >> 8);
    return static_cast<std::uint16_t>(c);
}

}  // namespace kv::arc
