#include "archive/ArcError.h"
#include "archive/formats/GzipHeader.h"
#include "archive/MethodNames.h"
#include "archive/MemberWalker.h"

namespace kv::arc {

void WalkGzip(ListSession& s) {
    ArcInput& in = s.In();
    const std::uint64_t base = s.Start();
    const std::uint64_t size = in.Size();
    BoundedReader magic = in.Record(base, 2);
    std::uint8_t id1 = magic.u8(), id2 = magic.u8();
    if (id1 != 0x1F) return;

    ArcMember& m = s.NewMember();
    m.ExternalAttr = s.ArchiveAttributes();
    if (id2 == 0x8B || id2 == 0x9E) {
        GzipHeader g = ReadGzipHeader(in, base, [&s](int code) { s.Fail(code); });
        m.FileName = g.name ? BackslashName(std::move(*g.name)) : GzipNameFromArchive(s.ArchiveFile());
        m.FileComment = std::move(g.comment);
        std::uint8_t method = g.method;
        std::uint32_t mtime = g.mtime;
        std::uint64_t pos = g.dataPos;
        if (pos > size || size - pos < 8) s.Fail(eReadError);
        BoundedReader trailer = in.Record(size - 8, 8);
        m.FileCRC = trailer.u32();
        // Packed as gzip -l counts it: the whole file.
        SetMemberSizes(m, size - base, trailer.u32());
        m.Method = (method == 0 || method == 8) ? method : 10;
        s.SetUnixDate(m, mtime);
    } else if (id2 == 0x9D || id2 == 0xA0 || id2 == 0x1E) {
        m.FileName = GzipNameFromArchive(s.ArchiveFile());
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

std::string GzipMethodName(std::uint16_t method, std::uint16_t) {
    if (method == 8) return "Deflate";
    return PickMethodName(method, {"Stored", "Compress", "Packed", "Lzh"});
}

}  // namespace kv::arc
