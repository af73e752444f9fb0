#include "archive/ArcError.h"
#include "archive/MethodNames.h"
#include "archive/MemberWalker.h"
#include "archive/formats/ZooEntry.h"

namespace kv::arc {

namespace {

std::string readComment(ArcInput& in, std::uint64_t pos, std::size_t len) {
    if (len == 0 || pos > in.Size() || in.Size() - pos < len) return {};
    return std::string(in.Record(pos, len).text(len));
}

}  // namespace

void WalkZoo(ListSession& s) {
    ArcInput& in = s.In();
    auto fail = [&](int code) { s.Fail(code); };
    ZooArchiveHeader a = ReadZooArchiveHeader(in, s.Start(), fail);
    if (!a.Consistent()) return;
    if (a.major >= 2 && in.Size() - s.Start() >= 42) {
        BoundedReader c = in.Record(s.Start() + 35, 6);
        std::uint32_t at = c.u32();
        std::uint16_t len = c.u16();
        s.SetArchiveComment(readComment(in, at, len));
    }

    // Entries chain forward by absolute positions; one that points back (or at
    // itself) would loop for ever.
    std::uint64_t pos = a.first;
    for (;;) {
        ZooEntry z = ReadZooEntry(in, pos, fail);
        if (z.next == 0) break;  // the terminal entry
        if (!z.deleted) {
            ArcMember& m = s.NewMember();
            m.FileName = z.name;
            m.FileComment = readComment(in, z.commentPos, z.commentLen);
            SetMemberSizes(m, z.packed, z.unpacked);
            m.FileCRC = z.crc;
            m.CrcBits = 16;
            m.Method = z.method;
            m.MethodName = MethodName(atZOO, z.method);
            s.SetDosDate(m, z.DosStamp());
            m.VersionMadeBy = z.major;
            m.VersionNeeded = z.minor;
            m.InternalAttr = 32;
            m.ExternalAttr = 32;
            s.Emit(pos);
        }
        if (z.next <= pos) s.Fail(eBadFileHeader);
        pos = z.next;
    }
}

std::string ZooMethodName(std::uint16_t method, std::uint16_t) {
    return PickMethodName(method, {"Stored", "Fastest", "Greatest"});
}

}  // namespace kv::arc
