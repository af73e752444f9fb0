// Ejecting media and writing the serial number: the calls that change a volume.
#include <windows.h>
#include <winioctl.h>

#include "system/drives/Drives.h"
#include "system/drives/VolumeHandleWin32.h"

namespace kv {

namespace {

// The volume read and written at whole sectors of the device's own size.
class VolumeSectorDevice : public SectorDevice {
public:
    VolumeSectorDevice(const VolumeHandle& volume, std::uint32_t sectorSize) : volume_(volume), size_(sectorSize) {}
    std::uint32_t sectorSize() const override { return size_; }
    bool readSector(std::uint32_t index, std::span<std::uint8_t> sector) override {
        DWORD done = 0;
        return sector.size() == size_ && seek(index) &&
               ReadFile(volume_.get(), sector.data(), size_, &done, nullptr) && done == size_;
    }
    bool writeSector(std::uint32_t index, std::span<const std::uint8_t> sector) override {
        DWORD done = 0;
        return sector.size() == size_ && seek(index) &&
               WriteFile(volume_.get(), sector.data(), size_, &done, nullptr) && done == size_;
    }

private:
    bool seek(std::uint32_t index) {
        LARGE_INTEGER at;
        at.QuadPart = static_cast<LONGLONG>(index) * size_;
        return SetFilePointerEx(volume_.get(), at, nullptr, FILE_BEGIN) != FALSE;
    }
    const VolumeHandle& volume_;
    std::uint32_t size_;
};

}  // namespace

bool EjectMedia(char letter) {
    Sleep(500);
    VolumeHandle volume = VolumeHandle::open(letter, GENERIC_READ);
    if (!volume || !volume.lock(10))
        return false;
    PREVENT_MEDIA_REMOVAL allow{};
    allow.PreventMediaRemoval = FALSE;
    DWORD bytes = 0;
    const bool ejected = volume.control(FSCTL_DISMOUNT_VOLUME) &&
                         DeviceIoControl(volume.get(), IOCTL_STORAGE_MEDIA_REMOVAL, &allow, sizeof allow, nullptr, 0,
                                         &bytes, nullptr) &&
                         volume.control(IOCTL_STORAGE_EJECT_MEDIA);
    return volume.unlock() && ejected;
}

SerialPatchResult SetVolumeSerial(char letter, std::uint32_t serial) {
    // Shared open plus the lock: an exclusive open fails while anyone merely
    // looks at the drive; the lock still keeps writers out.
    VolumeHandle volume = VolumeHandle::open(letter, GENERIC_READ | GENERIC_WRITE);
    if (!volume)
        return {false, "The drive could not be opened for writing."};
    if (!volume.lock(10))
        return {false, "The drive is in use; close the programs that use it and try again."};
    VolumeSectorDevice device(volume, volume.sectorSize());
    SerialPatchResult result = PatchVolumeSerial(device, serial);
    // The file system reads the new serial when it mounts the volume again.
    if (result.ok)
        volume.control(FSCTL_DISMOUNT_VOLUME);
    volume.unlock();
    return result;
}

}  // namespace kv
