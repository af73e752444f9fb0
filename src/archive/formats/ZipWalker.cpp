#include "archive/ArcError.h"
#include "archive/MethodNames.h"
#include "archive/MemberWalker.h"
#include "archive/formats/ZipCentral.h"

namespace kv::arc {

void WalkZip(ListSession& s) {
    ArcInput& in = s.In();
    // An end record at the very start leaves no room for a member.
    auto end = FindZipEnd(in, 1);
    if (!end) s.Fail(eHeaderId);
    s.SetArchiveComment(end->comment);
    auto first = FirstZipCentral(in, *end);
    if (!first) s.Fail(eBadFileHeader);

    for (std::uint64_t pos = *first; pos < end->centralEnd && end->centralEnd - pos >= 46;) {
        auto e = ReadZipCentral(in, pos);
        if (!e) break;
        ArcMember& m = s.NewMember();
        m.FileName = BackslashName(std::move(e->name));
        m.FileComment = std::move(e->comment);
        SetMemberSizes(m, e->packed, e->unpacked);
        m.FileCRC = e->crc;
        m.Method = e->method;
        m.MethodName = MethodName(s.Type(), e->method, e->flags);
        s.SetDosDate(m, e->stamp);
        m.VersionMadeBy = e->madeBy;
        m.VersionNeeded = e->needed;
        m.InternalAttr = e->internal;
        m.ExternalAttr = e->external;
        m.CompressionOption = static_cast<std::uint8_t>(e->flags & 6);
        s.Emit(pos);
        pos = e->next;
    }
}

std::string ZipMethodName(std::uint16_t method, std::uint16_t flags) {
    if (method == 8) {
        switch (flags & 6) {
            case 6: return "DeflateS";
            case 4: return "DeflateF";
            case 2: return "DeflateX";
            default: return "DeflateN";
        }
    }
    return PickMethodName(method,
                          {"Stored", "Shrunk", "Reduce-1", "Reduce-2", "Reduce-3", "Reduce-4", "Imploded", "Tokened"});
}

}  // namespace kv::arc
