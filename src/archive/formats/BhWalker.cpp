#include "archive/formats/BhWalker.h"

#include "archive/ArcError.h"
#include "archive/MethodNames.h"
#include "archive/MemberWalker.h"

namespace kv::arc {

namespace {

constexpr std::uint32_t kSignature = 0x07054842;  // "BH", 5, 7
constexpr std::size_t kRecord = 37;

}  // namespace

// BlakHole: a 37-byte header, the name, then the packed data.
void WalkBh(ListSession& s) {
    ArcInput& in = s.In();
    std::uint64_t pos = s.Start();
    while (in.Size() - pos >= kRecord) {
        BoundedReader h = in.Record(pos, kRecord);
        if (h.u32() != kSignature || h.u16() == 0) break;
        h.seek(7);
        std::uint8_t madeBy = h.u8();
        std::uint8_t needed = h.u8();
        h.u8();
        std::uint8_t method = h.u8();
        std::uint32_t stamp = h.u32();
        std::uint64_t packed = h.u32();
        std::uint64_t unpacked = h.u32();
        std::uint32_t crc = h.u32();
        std::uint16_t attributes = h.u16();
        h.seek(33);
        std::size_t nameLen = h.u16();
        std::string name(in.Record(pos + kRecord, nameLen).text(nameLen));

        ArcMember& m = s.NewMember();
        m.FileName = BackslashName(name);
        SetMemberSizes(m, packed, unpacked);
        m.FileCRC = crc;
        m.Method = method;
        m.MethodName = MethodName(s.Type(), method);
        s.SetDosDate(m, stamp);
        m.VersionMadeBy = madeBy;
        m.VersionNeeded = needed;
        m.InternalAttr = attributes;
        m.ExternalAttr = attributes;
        s.Emit(pos);
        pos = s.DataEnd(pos + kRecord + nameLen, packed);
    }
}

std::string BhMethodName(std::uint16_t method, std::uint16_t) {
    return PickMethodName(method, {"Stored", "Fused", "Ionized"});
}

}  // namespace kv::arc
