#include "catalog/media/DiskRecordInit.h"

namespace kv {

void FillDiskRecord(TDiskRec& disk, const TDriveInfo& info, std::uint8_t mediaType, double catalogued) {
    disk.flags = ItemFlags::NewDisk;
    SetFlag(disk.flags, ItemFlags::Archive, info.compressed);
    disk.listIndex = {kNotListed, kNotListed, kNotListed};
    disk.changed = true;
    disk.loaded = true;
    disk.topLevelRead = true;
    disk.sectionPos = -1;
    disk.header = DiskSectionHeader{-1, -1, -1, -1, 0, 0};
    disk.volume = VolumeData{};
    disk.volume.mediaType = mediaType;
    disk.volume.catalogued = catalogued;
    disk.volume.bytesPerSector = info.bytesPerSector;
    disk.volume.sectorsPerCluster = info.sectorsPerCluster;
    disk.volume.totalClusters = info.totalClusters;
    disk.volume.freeClusters = info.freeClusters;
    disk.volume.serialNumber = info.serialNumber;
    disk.volume.maxNameLength = info.maxNameLength;
    disk.otherClusters = 0;
    disk.label = info.label;
    disk.fileSystem = info.fileSystem;
    disk.virtualPath.clear();
    disk.description.clear();
}

MediumIdentity MediumIdentityOf(const TDiskRec& disk) {
    MediumIdentity m;
    m.serialNumber = disk.volume.serialNumber;
    m.label = disk.label;
    m.mediaType = disk.volume.mediaType;
    m.isVirtual = disk.isVirtual();
    m.virtualPath = disk.virtualPath;
    m.compressed = HasFlag(disk.flags, ItemFlags::Archive);
    m.totalBytes = static_cast<std::uint64_t>(disk.volume.totalClusters) * disk.volume.sectorsPerCluster *
                   disk.volume.bytesPerSector;
    return m;
}

}  // namespace kv
