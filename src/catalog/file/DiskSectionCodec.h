#pragma once
// The start of a disk section: flags byte, the six header words, the disk's name,
// volume data, label, file system, the virtual-disk extra and the description.
// The file lists and folder records that follow are in ItemRecordCodec.h.
#include <cstdint>
#include <string_view>

#include "base/BoundedReader.h"
#include "base/BufferedWriter.h"
#include "catalog/model/ItemFlags.h"
#include "catalog/file/StoredBlocks.h"
#include "catalog/file/StoredText.h"

namespace kv {

struct StoredDiskStart {
    std::uint8_t flags = ItemFlags::Disk;  // as stored
    DiskSectionHeader header;
    std::string_view name;
    VolumeData volume;
    std::string_view label;
    std::string_view fileSystem;
    std::string_view virtualPath;     // virtual disks (flag 0x80) only
    std::uint32_t otherClusters = 0;  // virtual disks only
    std::string_view description;
    friend bool operator==(const StoredDiskStart&, const StoredDiskStart&) = default;
};

DiskSectionHeader readSectionHeader(BoundedReader& in);
void writeSectionHeader(BufferedWriter& out, const DiskSectionHeader& header);
VolumeData readVolumeData(BoundedReader& in);
void writeVolumeData(BufferedWriter& out, const VolumeData& volume);

// A flags byte not of kind 3 is damage. The texts are views into the reader's bytes.
StoredDiskStart readDiskStart(BoundedReader& in);

// Writes the section start at the writer's position with `disk.header` as it
// stands (placeholders); patchSectionHeader puts the final words in once the
// section is complete. The virtual-disk extra follows the 0x80 flag.
void writeDiskStart(BufferedWriter& out, const StoredDiskStart& disk, bool rootListIsFileBlock,
                    const LeadBytes& lead = {});
void patchSectionHeader(BufferedWriter& out, std::uint64_t sectionPos, const DiskSectionHeader& header);

}  // namespace kv
