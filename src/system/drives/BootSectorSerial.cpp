#include "system/drives/BootSectorSerial.h"

#include <cstring>
#include <string_view>
#include <vector>

#include "base/BoundedReader.h"

namespace kv {

namespace {

constexpr std::size_t kMinSector = 512;
constexpr std::size_t kMaxSector = 65536;
constexpr std::uint8_t kExtendedBootSignature = 0x29;
constexpr std::size_t kFat16SerialAt = 39;
constexpr std::size_t kFat32SerialAt = 67;

// Callers have checked the sector holds at least 512 bytes, past every field read.
std::uint16_t u16(std::span<const std::uint8_t> s, std::size_t at) {
    BoundedReader r(s);
    r.seek(at);
    return r.u16();
}

std::uint32_t u32(std::span<const std::uint8_t> s, std::size_t at) {
    BoundedReader r(s);
    r.seek(at);
    return r.u32();
}

bool textAt(std::span<const std::uint8_t> s, std::size_t at, std::string_view text) {
    return std::memcmp(s.data() + at, text.data(), text.size()) == 0;
}

bool isPowerOfTwo(unsigned v) { return v != 0 && (v & (v - 1)) == 0; }

std::size_t serialOffset(BootSectorKind kind) { return kind == BootSectorKind::Fat32 ? kFat32SerialAt : kFat16SerialAt; }

void putSerial(std::span<std::uint8_t> sector, std::size_t at, std::uint32_t serial) {
    for (int i = 0; i < 4; ++i)
        sector[at + i] = static_cast<std::uint8_t>(serial >> (8 * i));
}

}  // namespace

BootSectorKind ClassifyBootSector(std::span<const std::uint8_t> sector) {
    if (sector.size() < kMinSector || sector.size() > kMaxSector)
        return BootSectorKind::Other;
    if (sector[510] != 0x55 || sector[511] != 0xAA)
        return BootSectorKind::Other;
    if (textAt(sector, 3, "NTFS    ") || textAt(sector, 3, "EXFAT   "))
        return BootSectorKind::Other;
    if (u16(sector, 11) != sector.size() || !isPowerOfTwo(sector[13]) || u16(sector, 14) == 0 || sector[16] == 0)
        return BootSectorKind::Other;
    if (u16(sector, 22) != 0)
        return sector[38] == kExtendedBootSignature ? BootSectorKind::Fat12or16 : BootSectorKind::Other;
    if (u16(sector, 17) == 0 && sector[66] == kExtendedBootSignature && textAt(sector, 82, "FAT32   "))
        return BootSectorKind::Fat32;
    return BootSectorKind::Other;
}

bool PutBootSectorSerial(std::span<std::uint8_t> sector, std::uint32_t serial) {
    const BootSectorKind kind = ClassifyBootSector(sector);
    if (kind == BootSectorKind::Other)
        return false;
    putSerial(sector, serialOffset(kind), serial);
    return true;
}

SerialPatchResult PatchVolumeSerial(SectorDevice& device, std::uint32_t serial) {
    const std::uint32_t size = device.sectorSize();
    if (size < kMinSector || size > kMaxSector)
        return {false, "The drive reports a sector size that cannot be handled."};
    std::vector<std::uint8_t> boot(size);
    if (!device.readSector(0, boot))
        return {false, "The boot sector could not be read."};
    const BootSectorKind kind = ClassifyBootSector(boot);
    if (kind == BootSectorKind::Other)
        return {false, "The serial number can only be changed on FAT12, FAT16 and FAT32 volumes."};
    const std::uint32_t oldSerial = u32(boot, serialOffset(kind));

    std::vector<std::uint8_t> backup;
    std::uint16_t backupIndex = 0;
    if (kind == BootSectorKind::Fat32) {
        backupIndex = u16(boot, 50);
        // The backup lies among the reserved sectors; anything else is no copy we know.
        if (backupIndex != 0 && backupIndex < u16(boot, 14)) {
            backup.resize(size);
            if (!device.readSector(backupIndex, backup))
                return {false, "The backup boot sector could not be read."};
            if (ClassifyBootSector(backup) != BootSectorKind::Fat32 || u32(backup, kFat32SerialAt) != oldSerial)
                backup.clear();
        }
    }

    putSerial(boot, serialOffset(kind), serial);
    if (!device.writeSector(0, boot))
        return {false, "The boot sector could not be written."};
    if (!backup.empty()) {
        putSerial(backup, kFat32SerialAt, serial);
        if (!device.writeSector(backupIndex, backup))
            return {false, "The backup boot sector could not be written."};
    }
    return {true, {}};
}

}  // namespace kv
