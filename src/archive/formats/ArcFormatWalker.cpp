#include "archive/formats/ArcFormatHeader.h"
#include "archive/MethodNames.h"
#include "archive/MemberWalker.h"

namespace kv::arc {

void WalkArc(ListSession& s) {
    std::uint64_t pos = s.Start();
    while (auto h = ReadArcHeader(s.In(), pos)) {
        ArcMember& m = s.NewMember();
        m.FileName = BackslashName(h->name);
        SetMemberSizes(m, h->packed, h->unpacked);
        m.FileCRC = h->crc;
        m.CrcBits = 16;
        m.Method = h->method;
        m.MethodName = MethodName(s.Type(), h->method);
        s.SetDosDate(m, h->DosStamp());
        m.InternalAttr = 32;
        m.ExternalAttr = 32;
        s.Emit(pos);
        pos = s.DataEnd(h->dataPos, h->packed);
    }
}

std::string ArcMethodName(std::uint16_t method, std::uint16_t) {
    return PickMethodName(method, {"Unknown", "Stored", "Stored", "Packed", "Squeezed", "crunched", "crunched",
                                   "crunched", "Crunched", "Squashed", "Pack10", "Pack11", "Pack12"});
}

std::string PakMethodName(std::uint16_t method, std::uint16_t) {
    return PickMethodName(method, {"Unknown", "Stored", "Stored", "RLE", "Squeezed", "FIXEDLEN", "FIXEDLEN",
                                   "FIXEDLEN", "VARIBLE", "VARIBLE", "Crushed", "Distill"});
}

}  // namespace kv::arc
