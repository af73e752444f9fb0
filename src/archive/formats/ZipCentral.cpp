#include "archive/formats/ZipCentral.h"

namespace kv::arc {

namespace {

constexpr std::uint32_t kCentralSig = 0x02014B50;

bool centralAt(ArcInput& in, std::uint64_t pos) {
    if (pos > in.Size() || in.Size() - pos < 46) return false;
    return in.Record(pos, 4).u32() == kCentralSig;
}

// Values that do not fit 32 bits sit in the Zip64 extra field, in this order.
void readZip64(BoundedReader extra, ZipCentralEntry& e) {
    while (extra.remaining() >= 4) {
        std::uint16_t id = extra.u16();
        std::uint16_t len = extra.u16();
        if (len > extra.remaining()) return;
        BoundedReader field(extra.bytes(len));
        if (id != 0x0001) continue;
        if (e.unpacked == 0xFFFFFFFF && field.remaining() >= 8) e.unpacked = field.u64();
        if (e.packed == 0xFFFFFFFF && field.remaining() >= 8) e.packed = field.u64();
        if (e.localOffset == 0xFFFFFFFF && field.remaining() >= 8) e.localOffset = field.u64();
        return;
    }
}

}  // namespace

std::optional<std::uint64_t> FirstZipCentral(ArcInput& in, const ZipEnd& end) {
    std::uint64_t pos = end.centralOffset + end.Shift();
    if (centralAt(in, pos)) return pos;
    if (centralAt(in, end.centralOffset)) return end.centralOffset;
    return std::nullopt;
}

std::optional<ZipCentralEntry> ReadZipCentral(ArcInput& in, std::uint64_t pos) {
    BoundedReader h = in.Record(pos, 46);
    if (h.u32() != kCentralSig) return std::nullopt;
    ZipCentralEntry e;
    e.madeBy = h.u16();
    e.needed = h.u16();
    e.flags = h.u16();
    e.method = h.u16();
    e.stamp = h.u32();
    e.crc = h.u32();
    e.packed = h.u32();
    e.unpacked = h.u32();
    std::size_t nameLen = h.u16();
    std::size_t extraLen = h.u16();
    std::size_t commentLen = h.u16();
    h.skip(2);
    e.internal = h.u16();
    e.external = h.u32();
    e.localOffset = h.u32();

    BoundedReader v = in.Record(pos + 46, nameLen + extraLen + commentLen);
    e.name = std::string(v.text(nameLen));
    readZip64(BoundedReader(v.bytes(extraLen)), e);
    e.comment = std::string(v.text(commentLen));
    e.next = pos + 46 + nameLen + extraLen + commentLen;
    return e;
}

}  // namespace kv::arc
