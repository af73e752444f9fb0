#include "archive/formats/ArcFormatExtractor.h"

#include "archive/decoders/ArcFormatDecode.h"
#include "archive/formats/ArcFormatHeader.h"
#include "archive/MemberWalker.h"

namespace kv::arc {

namespace {

constexpr std::uint8_t kLastArcMethod = 9;

// The next mark at or after pos, or nullopt when the file has none.
std::optional<std::uint64_t> findMark(ArcInput& in, std::uint64_t pos) {
    constexpr std::size_t kSpan = 4096;
    while (pos < in.Size()) {
        BoundedReader r = in.Upto(pos, kSpan);
        auto bytes = r.bytes(r.size());
        for (std::size_t i = 0; i < bytes.size(); ++i)
            if (bytes[i] == ArcHeader::kMark) return pos + i;
        pos += bytes.size();
    }
    return std::nullopt;
}

}  // namespace

void TUnARC::Walk() {
    auto in = OpenArchive({atARC, atArcExe});
    if (OnActivate) OnActivate(*this);
    std::uint64_t pos = ArchiveStart();
    for (;;) {
        std::optional<std::uint64_t> mark = findMark(*in, pos);
        if (!mark) {
            ReportArcError(*this, ArchiveFile(), "0", eWrongArchiveType);
            break;
        }
        std::optional<ArcHeader> h = ReadArcHeader(*in, *mark);
        if (!h) break;
        pos = h->dataPos + h->packed;
        const std::string name = BackslashName(h->name);
        std::optional<std::string> target = Admit(name, h->unpacked, true);
        if (!target) continue;
        if (h->method > kLastArcMethod) {
            ReportArcError(*this, *target, "0", eUnsupportedMethod);
            continue;
        }
        WriteMember(
            *target, h->DosStamp(),
            [&](OutputSink& sink) {
                PackedInput packed = MemberInput(in->Source(), h->dataPos, h->packed);
                DecodedOutput out(sink, h->unpacked, DecodedOutput::Check::Crc16);
                ArcDecode(packed, out, h->method);
                out.Flush();
                return out.Crc() == h->crc;
            },
            {.openFailure = eWriteError, .badCrcRaises = true});
    }
    if (OnDeactivate) OnDeactivate(*this);
}

}  // namespace kv::arc
