#include "archive/formats/ZooExtractor.h"

#include "archive/decoders/CopyStored.h"
#include "archive/decoders/LzdDecode.h"
#include "archive/decoders/LzhDecode.h"
#include "archive/formats/ZooEntry.h"
#include "base/Errors.h"

namespace kv::arc {

void TUnZOO::Walk() {
    auto in = OpenArchive({atZOO});
    ZooArchiveHeader a = ReadZooArchiveHeader(*in, ArchiveStart(), Failer());
    if (!a.Consistent()) Fail(eBadFileHeader);
    if (OnActivate) OnActivate(*this);
    std::uint64_t pos = a.first;
    for (;;) {
        ZooEntry z = ReadZooEntry(*in, pos, Failer());
        if (z.next == 0) break;
        if (z.next <= pos) Fail(eBadFileHeader);
        pos = z.next;
        if (z.deleted) continue;
        std::optional<std::string> target = Admit(z.name, z.unpacked, false);
        if (!target) continue;
        if (z.method > 2) RaiseArcError(*this, *target, "0", eUnsupportedMethod);
        WriteMember(*target, z.DosStamp(), [&](OutputSink& sink) {
            PackedInput packed = MemberInput(in->Source(), z.dataPos, z.packed, z.method == 0);
            DecodedOutput out(sink, z.unpacked, DecodedOutput::Check::Crc16);
            if (z.method == 0)
                CopyStored(packed, out);
            else if (z.method == 1)
                LzdDecode(packed, out);
            else
                LzhDecode(packed, out, 13, 4);
            out.Flush();
            return out.Crc() == z.crc;
        });
    }
    if (OnDeactivate) OnDeactivate(*this);
}

}  // namespace kv::arc
