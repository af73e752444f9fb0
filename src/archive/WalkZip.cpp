#include "ArcError.h"
#include "MethodNames.h"
#include "Walkers.h"
#include "ZipEndRecord.h"

namespace kv::arc {

namespace {

constexpr std::uint32_t kCentralSig = 0x02014B50;

bool centralAt(ArcInput& in, std::uint64_t pos) {
    if (pos > in.Size() || in.Size() - pos < 46) return false;
    return in.Record(pos, 4).u32() == kCentralSig;
}

// Sizes that do not fit 32 bits sit in the Zip64 extra field, in this order.
void readZip64(BoundedReader extra, std::uint64_t& unpacked, std::uint64_t& packed) {
    while (extra.remaining() >= 4) {
        std::uint16_t id = extra.u16();
        std::uint16_t len = extra.u16();
        if (len > extra.remaining()) return;
        BoundedReader field(extra.bytes(len));
        if (id != 0x0001) continue;
        if (unpacked == 0xFFFFFFFF && field.remaining() >= 8) unpacked = field.u64();
        if (packed == 0xFFFFFFFF && field.remaining() >= 8) packed = field.u64();
        return;
    }
}

class Walker final : public MemberWalker {
public:
    void Walk(ListSession& s) const override {
        ArcInput& in = s.In();
        // An end record at the very start leaves no room for a member.
        auto end = FindZipEnd(in.Source(), 1);
        if (!end) s.Fail(eHeaderId);
        s.SetArchiveComment(end->comment);
        // Offsets of a self-extractor may or may not count its program part.
        std::uint64_t pos = end->centralOffset + end->Shift();
        if (!centralAt(in, pos)) pos = end->centralOffset;
        if (!centralAt(in, pos)) s.Fail(eBadFileHeader);

        while (pos < end->centralEnd && end->centralEnd - pos >= 46) {
            BoundedReader h = in.Record(pos, 46);
            if (h.u32() != kCentralSig) break;
            std::uint16_t madeBy = h.u16();
            std::uint16_t needed = h.u16();
            std::uint16_t flags = h.u16();
            std::uint16_t method = h.u16();
            std::uint32_t stamp = h.u32();
            std::uint32_t crc = h.u32();
            std::uint64_t packed = h.u32();
            std::uint64_t unpacked = h.u32();
            std::size_t nameLen = h.u16();
            std::size_t extraLen = h.u16();
            std::size_t commentLen = h.u16();
            h.skip(2);
            std::uint16_t internal = h.u16();
            std::uint32_t external = h.u32();

            BoundedReader v = in.Record(pos + 46, nameLen + extraLen + commentLen);
            ArcMember& m = s.NewMember();
            m.FileName = BackslashName(std::string(v.text(nameLen)));
            readZip64(BoundedReader(v.bytes(extraLen)), unpacked, packed);
            m.FileComment = std::string(v.text(commentLen));
            SetMemberSizes(m, packed, unpacked);
            m.FileCRC = crc;
            m.Method = method;
            m.MethodName = MethodName(s.Type(), method, flags);
            s.SetDosDate(m, stamp);
            m.VersionMadeBy = madeBy;
            m.VersionNeeded = needed;
            m.InternalAttr = internal;
            m.ExternalAttr = external;
            m.CompressionOption = static_cast<std::uint8_t>(flags & 6);
            s.Emit(pos);
            pos += 46 + nameLen + extraLen + commentLen;
        }
    }
};

}  // namespace

const MemberWalker& ZipWalker() {
    static const Walker w;
    return w;
}

}  // namespace kv::arc
