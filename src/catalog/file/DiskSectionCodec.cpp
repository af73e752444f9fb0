#include "catalog/file/DiskSectionCodec.h"

#include "catalog/file/CatalogFormat.h"

namespace kv {

namespace {

// Blocks without texts.
const LeadBytes kNoLeadBytes;

// Each block's field order is written once, over one of these: reading fills the
// fields, writing and patching store them.
struct FieldReader {
    BoundedReader& in;
    // A block cut short fails before any of its fields is read.
    void need(std::size_t n) { in.need(n); }
    void u8(std::uint8_t& v) { v = in.u8(); }
    void u16(std::uint16_t& v) { v = in.u16(); }
    void u32(std::uint32_t& v) { v = in.u32(); }
    void i32(std::int32_t& v) { v = in.i32(); }
    void f64(double& v) { v = in.f64(); }
    void bytes(std::uint8_t* data, std::size_t n) { in.copy(data, n); }
    void longText(std::string_view& text) { text = readLongText(in); }
    void shortText(std::string_view& text) { text = readShortText(in); }
};

struct FieldWriter {
    BufferedWriter& out;
    const LeadBytes& lead;
    void need(std::size_t) {}
    void u8(std::uint8_t v) { out.u8(v); }
    void u16(std::uint16_t v) { out.u16(v); }
    void u32(std::uint32_t v) { out.u32(v); }
    void i32(std::int32_t v) { out.i32(v); }
    void f64(double v) { out.f64(v); }
    void bytes(const std::uint8_t* data, std::size_t n) { out.bytes(data, n); }
    void longText(std::string_view text) { writeLongText(out, text, lead); }
    void shortText(std::string_view text) { writeShortText(out, text, lead); }
};

// Overwrites words already written, from `at` on.
struct FieldPatcher {
    BufferedWriter& out;
    std::uint64_t at;
    void need(std::size_t) {}
    void u32(std::uint32_t v) {
        out.patchU32(at, v);
        at += 4;
    }
    void i32(std::int32_t v) {
        out.patchI32(at, v);
        at += 4;
    }
};

template <class Fields, class Header>
void sectionHeaderFields(Fields& io, Header& h) {
    io.need(kDiskHeaderBytes);
    io.i32(h.sectionSize);
    io.i32(h.folderTreeOffset);
    io.i32(h.rootListOffset);
    io.i32(h.rootListSize);
    io.u32(h.rootFileCount);
    io.u32(h.rootDescriptionBytes);
}

template <class Fields, class Volume>
void volumeFields(Fields& io, Volume& v) {
    io.need(kVolumeDataBytes);
    io.u8(v.mediaType);
    io.u8(v.skipFlags);
    io.bytes(v.reserved, sizeof v.reserved);
    io.u32(v.bytesPerSector);
    io.u32(v.sectorsPerCluster);
    io.u32(v.maxNameLength);
    io.u32(v.fileCount);
    io.u32(v.archiveMemberCount);
    io.u16(v.folderCount);
    io.u32(v.totalClusters);
    io.u32(v.freeClusters);
    io.f64(v.catalogued);
    io.u32(v.serialNumber);
    io.u8(v.reserved2);
}

// Everything after the flags byte; the flags as stored decide the virtual-disk extra.
template <class Fields, class Disk>
void diskStartFields(Fields& io, Disk& d, std::uint8_t flags) {
    sectionHeaderFields(io, d.header);
    io.longText(d.name);
    volumeFields(io, d.volume);
    io.shortText(d.label);
    io.shortText(d.fileSystem);
    if (flags & ItemFlags::VirtualDisk) {
        io.longText(d.virtualPath);
        io.u32(d.otherClusters);
    }
    io.longText(d.description);
}

}  // namespace

DiskSectionHeader readSectionHeader(BoundedReader& in) {
    DiskSectionHeader h;
    FieldReader io{in};
    sectionHeaderFields(io, h);
    return h;
}

void writeSectionHeader(BufferedWriter& out, const DiskSectionHeader& h) {
    FieldWriter io{out, kNoLeadBytes};
    sectionHeaderFields(io, h);
}

VolumeData readVolumeData(BoundedReader& in) {
    VolumeData v;
    FieldReader io{in};
    volumeFields(io, v);
    return v;
}

void writeVolumeData(BufferedWriter& out, const VolumeData& v) {
    FieldWriter io{out, kNoLeadBytes};
    volumeFields(io, v);
}

StoredDiskStart readDiskStart(BoundedReader& in) {
    StoredDiskStart d;
    d.flags = readStoredFlags(in, ItemFlags::Disk);
    FieldReader io{in};
    diskStartFields(io, d, d.flags);
    return d;
}

void writeDiskStart(BufferedWriter& out, const StoredDiskStart& d, bool rootListIsFileBlock,
                    const LeadBytes& lead) {
    const std::uint8_t flags = storedFlags(d.flags, rootListIsFileBlock);
    out.u8(flags);
    FieldWriter io{out, lead};
    diskStartFields(io, d, flags);
}

void patchSectionHeader(BufferedWriter& out, std::uint64_t sectionPos, const DiskSectionHeader& h) {
    FieldPatcher io{out, sectionPos + 1};
    sectionHeaderFields(io, h);
}

}  // namespace kv
