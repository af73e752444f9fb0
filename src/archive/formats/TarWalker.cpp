#include "archive/ArcError.h"
#include "archive/MethodNames.h"
#include "archive/formats/TarReader.h"
#include "archive/MemberWalker.h"

namespace kv::arc {

void WalkTar(ListSession& s) {
    TarReader reader(s.In(), s.Start(), [&s](int code) { s.Fail(code); });
    while (auto e = reader.Next()) {
        if (!e->IsFile() && !e->IsHardLink()) continue;
        if (e->name.empty()) break;
        ArcMember& m = s.NewMember();
        m.FileName = BackslashName(e->name);
        SetMemberSizes(m, e->size, e->size);
        m.FileCRC = e->checksum;
        m.CrcBits = 0;
        m.Method = 0;
        m.MethodName = MethodName(atTAR, 0);
        s.SetUnixDate(m, e->mtime);
        m.InternalAttr = 0;
        m.ExternalAttr = 0;
        s.Emit(e->pos);
    }
}

std::string TarMethodName(std::uint16_t method, std::uint16_t) { return PickMethodName(method, {"Stored"}); }

}  // namespace kv::arc
