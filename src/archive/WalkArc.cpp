#include "ArcDates.h"
#include "ArcError.h"
#include "MethodNames.h"
#include "Walkers.h"

namespace kv::arc {

namespace {

// ARC and PAK: 0x1A, the method, a 13-byte name, sizes, date, CRC-16. Method 1
// (the oldest stored form) has no unpacked size: its header is 4 bytes shorter.
class Walker final : public MemberWalker {
public:
    void Walk(ListSession& s) const override {
        ArcInput& in = s.In();
        std::uint64_t pos = s.Start();
        while (in.Size() - pos >= 2) {
            BoundedReader mark = in.Record(pos, 2);
            if (mark.u8() != 0x1A) break;
            std::uint8_t method = mark.u8();
            if (method == 0) break;
            std::size_t headerLen = method == 1 ? 25 : 29;
            BoundedReader h = in.Record(pos, headerLen);
            h.skip(2);
            std::string name(h.text(13));
            name.resize(name.find('\0') == std::string::npos ? 13 : name.find('\0'));
            std::uint64_t packed = h.u32();
            std::uint16_t date = h.u16();
            std::uint16_t time = h.u16();
            std::uint16_t crc = h.u16();
            std::uint64_t unpacked = method == 1 ? packed : h.u32();

            ArcMember& m = s.NewMember();
            m.FileName = BackslashName(name);
            SetMemberSizes(m, packed, unpacked);
            m.FileCRC = crc;
            m.CrcBits = 16;
            m.Method = method;
            m.MethodName = MethodName(s.Type(), method);
            s.SetDosDate(m, SwapHalves(std::uint32_t{date} | std::uint32_t{time} << 16));
            m.InternalAttr = 32;
            m.ExternalAttr = 32;
            s.Emit(pos);
            pos = s.DataEnd(pos + headerLen, packed);
        }
    }
};

}  // namespace

const MemberWalker& ArcWalker() {
    static const Walker w;
    return w;
}

}  // namespace kv::arc
