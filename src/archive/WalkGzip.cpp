#include "ArcError.h"
#include "MethodNames.h"
#include "Walkers.h"

namespace kv::arc {

namespace {

constexpr std::size_t kMaxName = 4096;
constexpr std::size_t kMaxComment = 65535;

// The archive's file name without its folder and last extension.
std::string nameFromArchive(const std::string& path) {
    std::size_t cut = path.find_last_of("\\/:");
    std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
    std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

class Walker final : public MemberWalker {
public:
    void Walk(ListSession& s) const override {
        ArcInput& in = s.In();
        const std::uint64_t base = s.Start();
        const std::uint64_t size = in.Size();
        BoundedReader magic = in.Record(base, 2);
        std::uint8_t id1 = magic.u8(), id2 = magic.u8();
        if (id1 != 0x1F) return;

        ArcMember& m = s.NewMember();
        m.FileName = nameFromArchive(s.ArchiveFile());
        m.ExternalAttr = s.ArchiveAttributes();
        if (id2 == 0x8B || id2 == 0x9E) {
            BoundedReader h = in.Record(base + 2, 8);
            std::uint8_t method = h.u8(), flags = h.u8();
            std::uint32_t mtime = h.u32();
            // RFC 1952: extra field, name, comment, header CRC, in this order.
            std::uint64_t pos = base + 10;
            if (flags & 0x04) pos += 2 + in.Record(pos, 2).u16();
            if (flags & 0x08) {
                auto name = in.ZeroText(pos, kMaxName);
                if (!name) s.Fail(pos + kMaxName < size ? eBadFileHeader : eReadError);
                m.FileName = BackslashName(*name);
                pos += name->size() + 1;
            }
            if (flags & 0x10) {
                auto comment = in.ZeroText(pos, kMaxComment);
                if (!comment) s.Fail(pos + kMaxComment < size ? eBadFileHeader : eReadError);
                m.FileComment = *comment;
                pos += comment->size() + 1;
            }
            if (flags & 0x02) pos += 2;
            if (pos > size || size - pos < 8) s.Fail(eReadError);
            BoundedReader trailer = in.Record(size - 8, 8);
            m.FileCRC = trailer.u32();
            // Packed as gzip -l counts it: the whole file.
            SetMemberSizes(m, size - base, trailer.u32());
            m.Method = (method == 0 || method == 8) ? method : 10;
            s.SetUnixDate(m, mtime);
        } else if (id2 == 0x9D || id2 == 0xA0 || id2 == 0x1E) {
            m.Method = id2 == 0x9D ? 1 : id2 == 0xA0 ? 3 : 2;
            m.CrcBits = 0;
            SetMemberSizes(m, size - base, size - base);
            s.SetDosDate(m, s.ArchiveFileDate());
        } else {
            return;
        }
        m.MethodName = MethodName(atGZip, m.Method);
        m.VersionMadeBy = m.VersionNeeded = 0;
        s.Emit(base);
    }
};

}  // namespace

const MemberWalker& GzipWalker() {
    static const Walker w;
    return w;
}

}  // namespace kv::arc
