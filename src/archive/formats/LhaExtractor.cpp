#include "archive/formats/LhaExtractor.h"

#include "archive/decoders/CopyStored.h"
#include "archive/decoders/Lh1Decode.h"
#include "archive/formats/LhaHeader.h"
#include "archive/decoders/LzhDecode.h"
#include "base/Errors.h"

namespace kv::arc {

namespace {

// The decoder for "-lhN-", or nullptr for a method this extractor does not know.
using Decoder = void (*)(PackedInput&, DecodedOutput&);

Decoder decoderFor(const std::string& id) {
    if (id.size() != 5 || id.compare(0, 3, "-lh") != 0 || id[4] != '-') return nullptr;
    switch (id[3]) {
        case '0': return CopyStored;
        case '1': return Lh1Decode;
        case '4': return [](PackedInput& in, DecodedOutput& out) { LzhDecode(in, out, 12, 4); };
        case '5': return [](PackedInput& in, DecodedOutput& out) { LzhDecode(in, out, 13, 4); };
        case '6': return [](PackedInput& in, DecodedOutput& out) { LzhDecode(in, out, 15, 5); };
        case '7': return [](PackedInput& in, DecodedOutput& out) { LzhDecode(in, out, 16, 5); };
        default: return nullptr;
    }
}

}  // namespace

void TUnLHA::Walk() {
    auto in = OpenArchive({atLHA, atLhaExe, atLZH, atLzhExe});
    if (OnActivate) OnActivate(*this);
    std::uint64_t pos = ArchiveStart();
    for (;;) {
        std::optional<LhaHeader> h;
        try {
            h = ReadLhaHeader(*in, pos, Failer());
        } catch (const ETruncated&) {
            ReportArcError(*this, ArchiveFile(), "0", eBadFileHeader);
            break;
        }
        if (!h) break;
        // A 64-bit size can point past the file or wrap round to this very header.
        if (h->dataPos > in->Size() || h->packed > in->Size() - h->dataPos) Fail(eReadError);
        pos = h->dataPos + h->packed;
        if (h->IsFolder()) {
            MakeStoredFolder(h->name);
            continue;
        }
        std::optional<std::string> target = Admit(h->name, h->unpacked, false);
        if (!target) continue;
        Decoder decode = decoderFor(h->methodId);
        if (!decode) RaiseArcError(*this, *target, "0", eUnsupportedMethod);
        WriteMember(*target, std::nullopt, [&](OutputSink& sink) {
            PackedInput packed = MemberInput(in->Source(), h->dataPos, h->packed, decode == CopyStored);
            DecodedOutput out(sink, h->unpacked, DecodedOutput::Check::Crc16);
            decode(packed, out);
            out.Flush();
            return out.Crc() == h->crc;
        });
    }
    if (OnDeactivate) OnDeactivate(*this);
}

}  // namespace kv::arc
