#include <cstring>

#include "archive/ArcError.h"
#include "archive/MethodNames.h"
#include "archive/formats/RarBlock.h"
#include "archive/MemberWalker.h"

namespace kv::arc {

void WalkRar(ListSession& s) {
    ArcInput& in = s.In();
    std::uint64_t pos = s.Start();
    BoundedReader head = in.Upto(pos, 8);
    auto mark = head.bytes(head.size());
    if (mark.size() >= 8 && std::memcmp(mark.data(), kRar5Marker, 8) == 0) s.Fail(eUnsupportedVersion);
    if (mark.size() < 7 || std::memcmp(mark.data(), kRarMarker, 7) != 0) s.Fail(eHeaderId);
    pos += 7;

    while (in.Size() - pos >= 7) {
        RarBlock b;
        try {
            b = ReadRarBlock(in, pos);
        } catch (const RarBlockError&) {
            s.Fail(eBadFileHeader);
        }
        if (b.type == kRarEndOfArchive) break;
        if (b.type == kRarMainHeader) {
            // Nothing after this header can be read without the password.
            if (b.flags & kRarMainHeadersEncrypted) s.Fail(ePasswordProtected);
            if (b.flags & kRarMainComment) s.SetArchiveComment("Archive Comment encrypted...");
        }
        // Split members are listed once, in the volume where they start.
        if (b.type == kRarFileHeader && !(b.flags & kRarFromPreviousVolume)) {
            const RarFileFields& f = b.file;
            ArcMember& m = s.NewMember();
            m.FileName = BackslashName(f.name);
            SetMemberSizes(m, f.packed, f.unpacked);
            m.FileCRC = f.crc;
            m.Method = f.method;
            m.MethodName = MethodName(s.Type(), f.method);
            s.SetDosDate(m, f.stamp);
            m.VersionMadeBy = f.unpackVersion;
            m.VersionNeeded = 0;
            m.InternalAttr = 32;
            bool folder = f.IsFolder(b.flags);
            // Unix hosts store permission bits, not DOS attributes.
            bool unixHost = f.hostOs == 3 || f.hostOs == 5;
            m.ExternalAttr = unixHost ? (folder ? 0x10 : 0x20) : f.attributes | (folder ? 0x10 : 0);
            s.Emit(pos);
        }
        pos = s.DataEnd(pos + b.headSize, b.dataSize);
    }
}

std::string RarMethodName(std::uint16_t method, std::uint16_t) {
    if (method < '0') return "Unknown";
    return PickMethodName(method - '0', {"Stored", "Fastest", "Fast", "Normal", "Good", "Best"});
}

}  // namespace kv::arc
