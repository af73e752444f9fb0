#include "catalog/file/DiskSectionCodec.h"

#include "catalog/file/CatalogFormat.h"

namespace kv {

DiskSectionHeader readSectionHeader(BoundedReader& in) {
    in.need(kDiskHeaderBytes);
    DiskSectionHeader h;
    h.sectionSize = in.i32();
    h.folderTreeOffset = in.i32();
    h.rootListOffset = in.i32();
    h.rootListSize = in.i32();
    h.rootFileCount = in.u32();
    h.rootDescriptionBytes = in.u32();
    return h;
}

void writeSectionHeader(BufferedWriter& out, const DiskSectionHeader& h) {
    out.i32(h.sectionSize);
    out.i32(h.folderTreeOffset);
    out.i32(h.rootListOffset);
    out.i32(h.rootListSize);
    out.u32(h.rootFileCount);
    out.u32(h.rootDescriptionBytes);
}

VolumeData readVolumeData(BoundedReader& in) {
    in.need(kVolumeDataBytes);
    VolumeData v;
    v.mediaType = in.u8();
    v.skipFlags = in.u8();
    in.copy(v.reserved, sizeof v.reserved);
    v.bytesPerSector = in.u32();
    v.sectorsPerCluster = in.u32();
    v.maxNameLength = in.u32();
    v.fileCount = in.u32();
    v.archiveMemberCount = in.u32();
    v.folderCount = in.u16();
    v.totalClusters = in.u32();
    v.freeClusters = in.u32();
    v.catalogued = in.f64();
    v.serialNumber = in.u32();
    v.reserved2 = in.u8();
    return v;
}

void writeVolumeData(BufferedWriter& out, const VolumeData& v) {
    out.u8(v.mediaType);
    out.u8(v.skipFlags);
    out.bytes(v.reserved, sizeof v.reserved);
    out.u32(v.bytesPerSector);
    out.u32(v.sectorsPerCluster);
    out.u32(v.maxNameLength);
    out.u32(v.fileCount);
    out.u32(v.archiveMemberCount);
    out.u16(v.folderCount);
    out.u32(v.totalClusters);
    out.u32(v.freeClusters);
    out.f64(v.catalogued);
    out.u32(v.serialNumber);
    out.u8(v.reserved2);
}

StoredDiskStart readDiskStart(BoundedReader& in) {
    StoredDiskStart d;
    d.flags = readStoredFlags(in, ItemFlags::Disk);
    d.header = readSectionHeader(in);
    d.name = readLongText(in);
    d.volume = readVolumeData(in);
    d.label = readShortText(in);
    d.fileSystem = readShortText(in);
    if (d.flags & ItemFlags::VirtualDisk) {
        d.virtualPath = readLongText(in);
        d.otherClusters = in.u32();
    }
    d.description = readLongText(in);
    return d;
}

void writeDiskStart(BufferedWriter& out, const StoredDiskStart& d, bool rootListIsFileBlock,
                    const LeadBytes& lead) {
    const std::uint8_t flags = storedFlags(d.flags, rootListIsFileBlock);
    out.u8(flags);
    writeSectionHeader(out, d.header);
    writeLongText(out, d.name, lead);
    writeVolumeData(out, d.volume);
    writeShortText(out, d.label, lead);
    writeShortText(out, d.fileSystem, lead);
    if (flags & ItemFlags::VirtualDisk) {
        writeLongText(out, d.virtualPath, lead);
        out.u32(d.otherClusters);
    }
    writeLongText(out, d.description, lead);
}

void patchSectionHeader(BufferedWriter& out, std::uint64_t sectionPos, const DiskSectionHeader& h) {
    const std::uint64_t at = sectionPos + 1;
    out.patchI32(at, h.sectionSize);
    out.patchI32(at + 4, h.folderTreeOffset);
    out.patchI32(at + 8, h.rootListOffset);
    out.patchI32(at + 12, h.rootListSize);
    out.patchU32(at + 16, h.rootFileCount);
    out.patchU32(at + 20, h.rootDescriptionBytes);
}

}  // namespace kv
