#pragma once
// Writing a new volume serial number into a FAT boot sector. Only FAT12/16
// and FAT32 boot sectors with an extended boot signature are touched; any
// other volume (NTFS, exFAT, no signature) is refused, because the bytes at
// the FAT offsets hold other data there.
#include <cstdint>
#include <span>
#include <string>

namespace kv {

enum class BootSectorKind { Fat12or16, Fat32, Other };

// What kind of boot sector a whole sector is; the sector must be at least 512
// bytes and its bytes-per-sector field must equal its size.
BootSectorKind ClassifyBootSector(std::span<const std::uint8_t> sector);

// Puts the serial into a FAT boot sector (offset 39 or 67); false and the
// sector untouched for any other kind.
bool PutBootSectorSerial(std::span<std::uint8_t> sector, std::uint32_t serial);

// A volume read and written in whole sectors only.
class SectorDevice {
public:
    virtual ~SectorDevice() = default;
    virtual std::uint32_t sectorSize() const = 0;
    // Whole sectors; false on any failure.
    virtual bool readSector(std::uint32_t index, std::span<std::uint8_t> sector) = 0;
    virtual bool writeSector(std::uint32_t index, std::span<const std::uint8_t> sector) = 0;
};

struct SerialPatchResult {
    bool ok = false;
    std::string message;  // why it was refused or failed
};

// Reads the boot sector, patches the serial and writes it back; on FAT32 also
// the backup boot sector, when it holds a copy of the same boot sector.
SerialPatchResult PatchVolumeSerial(SectorDevice& device, std::uint32_t serial);

}  // namespace kv
