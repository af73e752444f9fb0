#include "archive/formats/ArjExtractor.h"

#include <algorithm>

#include "archive/ArcDates.h"
#include "archive/decoders/Arj4Decode.h"
#include "archive/decoders/CopyStored.h"
#include "archive/decoders/LzhDecode.h"
#include "base/text/MatchFileSpec.h"
#include "archive/MemberWalker.h"
#include "archive/VolumeName.h"
#include "base/DosDateTime.h"
#include "base/Errors.h"
#include "system/SystemCaseMap.h"

namespace kv::arc {

namespace {

// A plain archive's main header lies within this many bytes of the start.
constexpr std::uint64_t kSearchSpan = 25000;

constexpr std::uint8_t kBinary = 0, kText = 1, kFolder = 3, kLabel = 4;

}  // namespace

void TUnARJ::Walk() {
    in_ = OpenArchive({atARJ, atArjExe});
    if (OnActivate) OnActivate(*this);

    // The main header: the first id whose size and header CRC hold.
    std::uint64_t from = ArchiveStart();
    std::uint64_t limit = std::min(in_->Size(), (ArcType() == atArjExe ? from : 0) + kSearchSpan);
    std::optional<std::uint64_t> mainPos;
    for (std::uint64_t p = from; p + 1 < limit && !mainPos; ++p) {
        BoundedReader two = in_->Record(p, 2);
        if (two.u16() == ArjHeader::kId && IsArjHeaderAt(*in_, p)) mainPos = p;
    }
    if (!mainPos) Fail(eWrongArchiveType);
    pos_ = ReadArjHeader(*in_, *mainPos, Failer())->dataPos;

    const std::string& mask = FileSpec();
    const bool oneMember = mask.find_first_of("*?") == std::string::npos;
    int counter = 0;
    for (;;) {
        bool noId = false;
        std::optional<ArjHeader> h = ReadArjHeader(*in_, pos_, Failer(), &noId);
        if (!h) {
            if (noId) Fail(eBadFileHeader);
            break;
        }
        if (!h->headerCrcOk) Fail(eHeaderCrc);
        pos_ = h->dataPos + h->packed;
        const std::string name = BackslashName(h->name);
        if (h->fileType == kFolder) {
            MakeStoredFolder(name);
            continue;
        }
        if (h->fileType == kLabel) continue;
        if (!MatchFileSpec(mask, name, systemCaseMap())) {
            ReportArcError(*this, name, "0", eSkippedFile);
            SkipParts(*h, counter);
            continue;
        }
        if (h->needed > 3) RaiseArcError(*this, name, "0", eVersionError);
        if (h->flags & ArjHeader::kGarbled) RaiseArcError(*this, name, "0", ePasswordProtected);
        if (h->method >= 5 || (h->method == 4 && h->madeBy == 1)) RaiseArcError(*this, name, "0", eUnsupportedMethod);
        if (h->fileType != kBinary && h->fileType != kText) RaiseArcError(*this, name, "0", eUnknownFileType);

        std::optional<std::string> target = Admit(name, h->unpacked, true);
        if (!target) {
            SkipParts(*h, counter);
            continue;
        }
        std::uint32_t stamp = h->hostOs == ArjHeader::kHostUnix
                                  ? encodeDosDateTime(UnixToDateTime(h->stamp, Context().BiasMinutes()))
                                  : h->stamp;
        bool written = WriteMember(
            *target, stamp,
            [&](OutputSink& sink) {
                // Every volume's part is packed on its own, with its own CRC.
                bool ok = true;
                ArjHeader part = *h;
                for (;;) {
                    PackedInput packed = MemberInput(in_->Source(), part.dataPos, part.packed, part.method == 0);
                    DecodedOutput out(sink, part.unpacked, DecodedOutput::Check::Crc32);
                    if (part.method == 0)
                        CopyStored(packed, out);
                    else if (part.method == 4)
                        Arj4Decode(packed, out);
                    else
                        LzhDecode(packed, out, 16, 5);
                    out.Flush();
                    ok = ok && out.Crc() == part.crc;
                    if (!(part.flags & ArjHeader::kContinues)) return ok;
                    part = NextPart(counter);
                }
            },
            {.openFailureWarns = true});
        if (!written) {
            SkipParts(*h, counter);
            continue;
        }
        if (oneMember) break;
    }
    in_.reset();
    if (OnDeactivate) OnDeactivate(*this);
}

void TUnARJ::SkipParts(const ArjHeader& h, int& counter) {
    bool continues = h.flags & ArjHeader::kContinues;
    while (continues) continues = NextPart(counter).flags & ArjHeader::kContinues;
}

ArjHeader TUnARJ::NextPart(int& counter) {
    std::string name = NextVolumeName(ArchiveFile(), counter);
    if (name.empty()) RaiseArcError(*this, ArchiveFile(), "0", eMaxVolumes);
    in_.reset();
    IFileSystem& fs = Context().FileSystem();
    const std::string volumeId = std::to_string(counter);
    if (!fs.Exists(name)) {
        // The handler may ask for the disk that holds it.
        ReportArcError(*this, name, volumeId, eNextVolume);
        if (!fs.Exists(name)) RaiseArcError(*this, name, volumeId, eFileNotFound);
    }
    try {
        in_ = std::make_unique<ArcInput>(fs.OpenRead(name));
    } catch (const Error&) {
        RaiseArcError(*this, name, volumeId, eOpenError);
    }
    auto fail = [&](int) { RaiseArcError(*this, name, volumeId, eBadFileHeader); };
    std::optional<ArjHeader> main = ReadArjHeader(*in_, 0, fail);
    if (!main) fail(eBadFileHeader);
    std::optional<ArjHeader> part = ReadArjHeader(*in_, main->dataPos, fail);
    if (!part || !part->headerCrcOk) fail(eBadFileHeader);
    pos_ = part->dataPos + part->packed;
    return *part;
}

}  // namespace kv::arc
