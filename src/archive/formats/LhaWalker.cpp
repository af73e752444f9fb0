#include "archive/ArcError.h"
#include "archive/formats/LhaHeader.h"
#include "archive/MethodNames.h"
#include "archive/MemberWalker.h"

namespace kv::arc {

void WalkLha(ListSession& s) {
    ArcInput& in = s.In();
    std::uint64_t pos = s.Start();
    auto fail = [&](int code) { s.Fail(code); };
    while (auto h = ReadLhaHeader(in, pos, fail)) {
        ArcMember& m = s.NewMember();
        m.FileName = h->name;
        m.FileComment = h->comment;
        SetMemberSizes(m, h->packed, h->unpacked);
        m.FileCRC = h->crc;
        m.CrcBits = 16;
        m.Method = static_cast<std::uint8_t>(h->methodId[3]);
        m.MethodName = MethodName(s.Type(), m.Method);
        // Level 1 headers of Unix archivers carry the exact time besides the
        // local DOS stamp.
        if (h->level >= 2)
            s.SetUnixDate(m, h->stamp);
        else if (h->unixTime)
            s.SetUnixDate(m, *h->unixTime);
        else
            s.SetDosDate(m, h->stamp);
        m.InternalAttr = 32;
        m.ExternalAttr = h->attributes ? *h->attributes : h->attribute;
        if (h->IsFolder()) m.ExternalAttr |= 0x10;
        s.Emit(pos);
        pos = s.DataEnd(h->dataPos, h->packed);
    }
}

std::string LhaMethodName(std::uint16_t method, std::uint16_t) {
    if (method < '0') return "Unknown";
    return PickMethodName(method - '0', {"Stored", "Frozen-1", "Frozen-2", "Frozen-3", "Frozen-4", "Frozen-5"});
}

}  // namespace kv::arc
