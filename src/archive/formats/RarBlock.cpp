#include "archive/formats/RarBlock.h"

#include "archive/Checksum.h"

namespace kv::arc {

RarBlock ReadRarBlock(ArcInput& in, std::uint64_t pos) {
    RarBlock b;
    BoundedReader r = in.Record(pos, 7);
    b.headCrc = r.u16();
    b.type = r.u8();
    b.flags = r.u16();
    b.headSize = r.u16();
    if (b.headSize < 7) throw RarBlockError();
    if ((b.flags & kRarLongBlock) || b.type == kRarFileHeader) {
        if (b.headSize < 11) throw RarBlockError();
        b.dataSize = in.Record(pos + 7, 4).u32();
    }
    if (b.type != kRarFileHeader) return b;

    if (b.headSize < 32) throw RarBlockError();
    BoundedReader h = in.Record(pos, b.headSize);
    h.skip(7);
    RarFileFields& f = b.file;
    f.packed = h.u32();
    f.unpacked = h.u32();
    f.hostOs = h.u8();
    f.crc = h.u32();
    f.stamp = h.u32();
    f.unpackVersion = h.u8();
    f.method = h.u8();
    std::size_t nameSize = h.u16();
    f.attributes = h.u32();
    if (b.flags & kRarLargeSizes) {
        f.packed |= std::uint64_t{h.u32()} << 32;
        f.unpacked |= std::uint64_t{h.u32()} << 32;
    }
    f.name = std::string(h.text(nameSize));
    if (b.flags & kRarUnicodeName) f.name = f.name.substr(0, f.name.find('\0'));
    b.dataSize = f.packed;
    return b;
}

bool RarHeaderCrcMatches(ArcInput& in, std::uint64_t pos, const RarBlock& block) {
    BoundedReader r = in.Record(pos + 2, block.headSize - 2);
    auto bytes = r.bytes(block.headSize - 2);
    std::uint32_t crc = ~Crc32Update(0xFFFFFFFFu, bytes);
    return (crc & 0xFFFF) == block.headCrc;
}

}  // namespace kv::arc
