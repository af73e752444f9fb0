#pragma once
// The traditional PKWARE encryption of ZIP members (decryption only).
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kv::arc {

class ZipCipher {
public:
    static constexpr std::size_t kHeaderSize = 12;

    explicit ZipCipher(std::string_view password);
    std::uint8_t Decrypt(std::uint8_t c) {
        std::uint8_t p = c ^ keyByte();
        update(p);
        return p;
    }

private:
    std::uint8_t keyByte() const {
        std::uint32_t t = (keys_[2] | 2) & 0xFFFF;
        return static_cast<std::uint8_t>((t * (t ^ 1)) >> 8);
    }
    void update(std::uint8_t p);

    std::array<std::uint32_t, 3> keys_;
};

// The cipher positioned after the member's 12-byte encryption header when the
// password decrypts it to the expected check byte: the high byte of the file time
// when flag bit 3 (sizes in a data descriptor) is set, else of the CRC-32.
// An empty password never fits.
std::optional<ZipCipher> OpenZipCipher(std::span<const std::uint8_t, ZipCipher::kHeaderSize> header,
                                       std::uint16_t flags, std::uint16_t time, std::uint32_t crc,
                                       std::string_view password);

bool CheckZipPassword(std::span<const std::uint8_t, ZipCipher::kHeaderSize> header, std::uint16_t flags,
                      std::uint16_t time, std::uint32_t crc, std::string_view password);

}  // namespace kv::arc
