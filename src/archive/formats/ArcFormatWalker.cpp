#include "archive/formats/ArcFormatHeader.h"
#include "archive/MethodNames.h"
#include "archive/Walkers.h"

namespace kv::arc {

namespace {

class Walker final : public MemberWalker {
public:
    void Walk(ListSession& s) const override {
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
};

}  // namespace

const MemberWalker& ArcWalker() {
    static const Walker w;
    return w;
}

}  // namespace kv::arc
