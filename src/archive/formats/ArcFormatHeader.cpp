#include "archive/formats/ArcFormatHeader.h"

#include "archive/ArcDates.h"

namespace kv::arc {

std::uint32_t ArcHeader::DosStamp() const { return SwapHalves(std::uint32_t{date} | std::uint32_t{time} << 16); }

std::optional<ArcHeader> ReadArcHeader(ArcInput& in, std::uint64_t pos) {
    if (pos > in.Size() || in.Size() - pos < 2) return std::nullopt;
    BoundedReader mark = in.Record(pos, 2);
    if (mark.u8() != ArcHeader::kMark) return std::nullopt;
    ArcHeader h;
    h.method = mark.u8();
    if (h.method == 0) return std::nullopt;
    std::size_t headerLen = h.method == 1 ? 25 : 29;
    BoundedReader r = in.Record(pos, headerLen);
    r.skip(2);
    h.name = std::string(r.text(13));
    h.name.resize(h.name.find('\0') == std::string::npos ? 13 : h.name.find('\0'));
    h.packed = r.u32();
    h.date = r.u16();
    h.time = r.u16();
    h.crc = r.u16();
    h.unpacked = h.method == 1 ? h.packed : r.u32();
    h.dataPos = pos + headerLen;
    return h;
}

}  // namespace kv::arc
