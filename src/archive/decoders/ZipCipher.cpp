#include "archive/decoders/ZipCipher.h"

namespace kv::arc {
namespace {

constexpr std::array<std::uint32_t, 256> makeCrcTable() {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        t[i] = c;
    }
    return t;
}

constexpr auto kCrcTable = makeCrcTable();

// One bare CRC-32 step, without the pre- and post-inversion of a checksum.
std::uint32_t crcStep(std::uint32_t crc, std::uint8_t b) { return kCrcTable[(crc ^ b) & 0xFF] ^ (crc >> 8); }

}  // namespace

ZipCipher::ZipCipher(std::string_view password) : keys_{0x12345678u, 0x23456789u, 0x34567890u} {
    for (char c : password) update(static_cast<std::uint8_t>(c));
}

void ZipCipher::update(std::uint8_t p) {
    keys_[0] = crcStep(keys_[0], p);
    keys_[1] = (keys_[1] + (keys_[0] & 0xFF)) * 134775813u + 1;
    keys_[2] = crcStep(keys_[2], static_cast<std::uint8_t>(keys_[1] >> 24));
}

std::optional<ZipCipher> OpenZipCipher(std::span<const std::uint8_t, ZipCipher::kHeaderSize> header,
                                       std::uint16_t flags, std::uint16_t time, std::uint32_t crc,
                                       std::string_view password) {
    if (password.empty()) return std::nullopt;
    ZipCipher cipher(password);
    std::uint8_t last = 0;
    for (std::uint8_t c : header) last = cipher.Decrypt(c);
    std::uint8_t check = (flags & 0x08) ? static_cast<std::uint8_t>(time >> 8) : static_cast<std::uint8_t>(crc >> 24);
    if (last != check) return std::nullopt;
    return cipher;
}

bool CheckZipPassword(std::span<const std::uint8_t, ZipCipher::kHeaderSize> header, std::uint16_t flags,
                      std::uint16_t time, std::uint32_t crc, std::string_view password) {
    return OpenZipCipher(header, flags, time, crc, password).has_value();
}

}  // namespace kv::arc
