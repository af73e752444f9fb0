#pragma once
// Media type codes of disk records: what kind of medium a disk was catalogued
// from. 0..9 follow the DOS device-type values, 10..15 are the program's own.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kv {

namespace MediaType {
inline constexpr std::uint8_t Floppy525DD = 0;
inline constexpr std::uint8_t Floppy525HD = 1;
inline constexpr std::uint8_t Floppy35DD = 2;
inline constexpr std::uint8_t Floppy8SD = 3;
inline constexpr std::uint8_t Floppy8DD = 4;
inline constexpr std::uint8_t HardDisk = 5;
inline constexpr std::uint8_t Tape = 6;
inline constexpr std::uint8_t Floppy35HD = 7;
inline constexpr std::uint8_t Optical = 8;
inline constexpr std::uint8_t Floppy35EHD = 9;
inline constexpr std::uint8_t CdRom = 10;
inline constexpr std::uint8_t Network = 11;
inline constexpr std::uint8_t RamDisk = 12;
inline constexpr std::uint8_t Removable = 13;
inline constexpr std::uint8_t Zip100 = 14;
inline constexpr std::uint8_t Jaz1GB = 15;
inline constexpr std::uint8_t Unknown = 255;  // not yet known, or nothing could be learnt
}  // namespace MediaType

// The table's text; "Virtual " in front for a virtual disk (flag 0x80) of a known code.
std::string MediaTypeName(std::uint8_t code, std::uint8_t flags = 0);

// Equal codes, or a plain removable drive against a ZIP or JAZ drive: the same
// cartridge may be recognised as either, depending on the machine.
bool SameMediaType(std::uint8_t a, std::uint8_t b);

// The 5.25-inch and 8-inch kinds (0, 1, 3, 4) and the 3.5-inch kinds (2, 7, 9).
bool IsWideFloppy(std::uint8_t code);
bool IsSmallFloppy(std::uint8_t code);
inline bool IsFloppy(std::uint8_t code) { return IsWideFloppy(code) || IsSmallFloppy(code); }

// The code of the most preferred NT media type (MEDIA_TYPE values) a drive
// reports; Unknown when none of them is a floppy kind we know.
std::uint8_t MediaTypeFromNtMediaTypes(std::span<const std::uint32_t> reported);

// ZIP or JAZ from the SCSI product identifier of a removable drive, else Removable.
std::uint8_t MediaTypeFromScsiProduct(std::string_view productId);

// One code per drive letter A..Z, Unknown until determined.
class MediaTypeCache {
public:
    MediaTypeCache() { clear(); }
    void clear() { codes_.fill(MediaType::Unknown); }
    std::uint8_t get(char letter) const;
    void set(char letter, std::uint8_t code);

private:
    std::array<std::uint8_t, 26> codes_{};
};

// The drive letter's index 0..25 (either case); -1 for anything else.
int DriveIndex(char letter);

}  // namespace kv
