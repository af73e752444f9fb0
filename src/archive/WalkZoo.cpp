#include "ArcDates.h"
#include "ArcError.h"
#include "MethodNames.h"
#include "Walkers.h"

namespace kv::arc {

namespace {

constexpr std::uint32_t kTag = 0xFDC4A7DC;
constexpr std::size_t kEntry = 56;  // up to the variable part of a type-2 entry

std::string readComment(ArcInput& in, std::uint64_t pos, std::size_t len) {
    if (len == 0 || pos > in.Size() || in.Size() - pos < len) return {};
    return std::string(in.Record(pos, len).text(len));
}

class Walker final : public MemberWalker {
public:
    void Walk(ListSession& s) const override {
        ArcInput& in = s.In();
        BoundedReader a = in.Record(s.Start(), 34);
        a.skip(20);
        if (a.u32() != kTag) s.Fail(eHeaderId);
        std::uint32_t first = a.u32();
        std::uint32_t minus = a.u32();
        std::uint8_t major = a.u8();
        if (static_cast<std::uint32_t>(first + minus) != 0) return;
        if (major >= 2 && in.Size() - s.Start() >= 42) {
            BoundedReader c = in.Record(s.Start() + 35, 6);
            std::uint32_t at = c.u32();
            std::uint16_t len = c.u16();
            s.SetArchiveComment(readComment(in, at, len));
        }

        // Entries chain forward by absolute positions; one that points back (or at
        // itself) would loop for ever.
        std::uint64_t pos = first;
        for (;;) {
            BoundedReader e = in.Record(pos, kEntry);
            if (e.u32() != kTag) s.Fail(eBadFileHeader);
            std::uint8_t type = e.u8();
            std::uint8_t method = e.u8();
            std::uint32_t next = e.u32();
            e.u32();
            std::uint16_t date = e.u16();
            std::uint16_t time = e.u16();
            std::uint16_t crc = e.u16();
            std::uint32_t unpacked = e.u32();
            std::uint32_t packed = e.u32();
            std::uint8_t major = e.u8();
            std::uint8_t minor = e.u8();
            bool deleted = e.u8() != 0;
            e.u8();
            std::uint32_t commentPos = e.u32();
            std::uint16_t commentLen = e.u16();
            std::string name(e.text(13));
            name.resize(name.find('\0') == std::string::npos ? 13 : name.find('\0'));
            std::uint16_t varLen = e.u16();
            if (next == 0) break;  // the terminal entry

            if (!deleted) {
                std::string folder;
                if (type == 2 && varLen >= 2) {
                    BoundedReader v = in.Record(pos + kEntry, varLen);
                    std::size_t nameLen = v.u8();
                    std::size_t dirLen = v.u8();
                    if (2 + nameLen + dirLen > varLen) s.Fail(eBadFileHeader);
                    std::string longName(v.text(nameLen));
                    std::string dir(v.text(dirLen));
                    longName = longName.substr(0, longName.find('\0'));
                    dir = dir.substr(0, dir.find('\0'));
                    if (!longName.empty()) name = longName;
                    if (!dir.empty()) folder = BackslashName(dir) + (dir.back() == '/' ? "" : "\\");
                }
                ArcMember& m = s.NewMember();
                m.FileName = folder + BackslashName(name);
                m.FileComment = readComment(in, commentPos, commentLen);
                SetMemberSizes(m, packed, unpacked);
                m.FileCRC = crc;
                m.CrcBits = 16;
                m.Method = method;
                m.MethodName = MethodName(atZOO, method);
                s.SetDosDate(m, SwapHalves(std::uint32_t{date} | std::uint32_t{time} << 16));
                m.VersionMadeBy = major;
                m.VersionNeeded = minor;
                m.InternalAttr = 32;
                m.ExternalAttr = 32;
                s.Emit(pos);
            }
            if (next <= pos) s.Fail(eBadFileHeader);
            pos = next;
        }
    }
};

}  // namespace

const MemberWalker& ZooWalker() {
    static const Walker w;
    return w;
}

}  // namespace kv::arc
