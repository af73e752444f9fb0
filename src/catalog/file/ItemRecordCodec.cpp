#include "catalog/file/ItemRecordCodec.h"

#include "catalog/file/CatalogFormat.h"

namespace kv {

StoredFileRecord readFileRecord(BoundedReader& in) {
    StoredFileRecord f;
    f.name = readShortText(in);
    in.need(kStoredFileBytes);
    f.data.attributes = in.u8();
    f.data.created = in.u32();
    f.data.modified = in.u32();
    f.data.accessed = in.u32();
    f.data.size = in.u32();
    f.data.category = in.u8();
    f.description = readLongText(in);
    return f;
}

std::uint32_t writeFileRecord(BufferedWriter& out, const StoredFileRecord& f, const LeadBytes& lead) {
    writeShortText(out, f.name, lead);
    out.u8(f.data.attributes);
    out.u32(f.data.created);
    out.u32(f.data.modified);
    out.u32(f.data.accessed);
    out.u32(f.data.size);
    out.u8(f.data.category);
    const std::size_t n = writeLongText(out, f.description, lead);
    return descriptionBytesOf(f.description.substr(0, n));
}

FolderRecordHead readFolderRecordHead(BoundedReader& in) {
    FolderRecordHead h;
    h.flags = readStoredFlags(in, ItemFlags::Folder);
    h.depth = in.u8();
    return h;
}

StoredFolderRecord readFolderRecordBody(BoundedReader& in) {
    StoredFolderRecord r;
    r.name = readLongText(in);
    in.need(kStoredFolderBytes);
    StoredFolder& d = r.data;
    d.fileListOffset = in.i32();
    d.fileListSize = in.i32();
    d.fileCount = in.u32();
    d.descriptionBytes = in.u32();
    d.totalSize = FixedSize::fromRaw(in.i64());
    d.attributes = in.u8();
    d.created = in.u32();
    d.modified = in.u32();
    d.accessed = in.u32();
    d.reserved = in.u8();
    d.category = in.u8();
    r.description = readLongText(in);
    return r;
}

void skipFolderRecordBody(BoundedReader& in) {
    skipLongText(in);
    in.skip(kStoredFolderBytes);
    skipLongText(in);
}

void writeFolderRecord(BufferedWriter& out, std::uint8_t flags, bool listIsFileBlock, std::size_t depth,
                       const StoredFolderRecord& r, const LeadBytes& lead) {
    if (depth < 1 || depth > kMaxFolderDepth)
        throw ECatalogLimit("Folders nested deeper than 255 levels cannot be saved in a catalog.");
    out.u8(storedFlags(flags, listIsFileBlock));
    out.u8(static_cast<std::uint8_t>(depth));
    writeLongText(out, r.name, lead);
    const StoredFolder& d = r.data;
    out.i32(d.fileListOffset);
    out.i32(d.fileListSize);
    out.u32(d.fileCount);
    out.u32(d.descriptionBytes);
    out.i64(d.totalSize.raw);
    out.u8(d.attributes);
    out.u32(d.created);
    out.u32(d.modified);
    out.u32(d.accessed);
    out.u8(d.reserved);
    out.u8(d.category);
    writeLongText(out, r.description, lead);
}

}  // namespace kv
