#include "archive/formats/ZipExtractor.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "archive/ArcInput.h"
#include "archive/decoders/DecoderIo.h"
#include "archive/MemberFile.h"
#include "archive/MemberWalker.h"
#include "archive/formats/ZipCentral.h"
#include "archive/formats/ZipMemberDecode.h"

namespace kv::arc {

namespace {

constexpr std::uint32_t kLocalSig = 0x04034B50;
constexpr std::uint32_t kZip250LocalSig = 0x50000000;
constexpr std::uint32_t kFolderOrLabel = 0x18;

bool hasDecoder(int method) { return (method >= 0 && method <= 6) || method == 8; }

// Whether two central entries claim overlapping bytes: each member spans at least
// its fixed local header and its packed data. Sound archives never share bytes;
// a "zip bomb" points many entries at one compressed block to multiply its output.
bool entriesOverlap(ArcInput& in, std::uint64_t first, std::uint64_t centralEnd) {
    std::vector<std::pair<std::uint64_t, std::uint64_t>> spans;
    for (std::uint64_t pos = first; pos < centralEnd && centralEnd - pos >= 46;) {
        auto e = ReadZipCentral(in, pos);
        if (!e) break;
        pos = e->next;
        std::uint64_t end = e->packed > ~std::uint64_t{0} - 30 - e->localOffset ? ~std::uint64_t{0}
                                                                                : e->localOffset + 30 + e->packed;
        spans.emplace_back(e->localOffset, end);
    }
    std::sort(spans.begin(), spans.end());
    for (std::size_t i = 1; i < spans.size(); ++i)
        if (spans[i].first < spans[i - 1].second) return true;
    return false;
}

}  // namespace

void TUnZIP::DoExtract() {
    ArchiveContext& ctx = Context();
    const std::string archive = ArchiveFile();
    password_.clear();
    nothingExtracted_ = true;
    ctx.ProgressStep = 5 * (static_cast<int>(ProgressNotify) + 1);
    if (archive.empty()) RaiseArcError(*this, archive, "0", eInvalidFileName);
    if (ArcType() < atZIP || ArcType() > atZip250Exe) RaiseArcError(*this, archive, "0", eWrongArchiveType);
    std::unique_ptr<ArcInput> input;
    try {
        input = OpenInput();
    } catch (const EIoError&) {
        RaiseArcError(*this, archive, "0", eOpenError);
    }
    ArcInput& in = *input;
    try {
        walk(in);
    } catch (const ETruncated&) {
        RaiseArcError(*this, archive, "0", eReadError);
    } catch (const EIoError&) {
        RaiseArcError(*this, archive, "0", eReadError);
    }
    if (nothingExtracted_) RaiseArcError(*this, archive, "0", eNothingToDo);
}

void TUnZIP::walk(ArcInput& in) {
    ArchiveContext& ctx = Context();
    const std::string& archive = ArchiveFile();
    auto end = FindZipEnd(in, 1);
    if (!end) RaiseArcError(*this, archive, "0", eUnknownFileType);
    auto first = FirstZipCentral(in, *end);
    if (!first) RaiseArcError(*this, archive, "0", eHeaderId);
    // A self-extractor's program part counts for the local offsets as it did for the central one.
    const std::uint64_t shift = *first - end->centralOffset;
    if (entriesOverlap(in, *first, end->centralEnd)) RaiseArcError(*this, archive, "0", eInconsistentLocalHeader);

    ActivationScope activation(*this);

    int counter = 0;
    for (std::uint64_t pos = *first; pos < end->centralEnd && end->centralEnd - pos >= 46;) {
        auto central = ReadZipCentral(in, pos);
        if (!central) break;
        const ZipCentralEntry& e = *central;
        pos = e.next;
        std::string stored = BackslashName(e.name);
        if ((e.external & kFolderOrLabel) || stored.empty() || stored.back() == '\\' || !Selects(stored)) continue;
        SafeTarget target = BuildTargetPath(stored);
        if (!target) {
            ReportArcError(*this, stored, "0", eInvalidFileName);
            continue;
        }

        Current = ArcMember{};
        Current.FileName = stored;
        Current.PackedSize64 = e.packed;
        Current.UnpackedSize64 = e.unpacked;
        Current.FileCRC = e.crc;
        Current.Method = e.method;
        Current.DosDate = e.stamp;
        Current.ExternalAttr = e.external;

        std::uint64_t local = e.localOffset + shift;
        if (local > in.Size() || in.Size() - local < 30) {
            ReportArcError(*this, target.path, "0", eInconsistentLocalHeader);
            continue;
        }
        BoundedReader lh = in.Record(local, 30);
        std::uint32_t sig = lh.u32();
        if (sig != kLocalSig && sig != kZip250LocalSig) {
            ReportArcError(*this, target.path, "0", eInconsistentLocalHeader);
            continue;
        }
        lh.skip(2);
        std::uint16_t localFlags = lh.u16();
        lh.skip(2);
        std::uint16_t localTime = lh.u16();
        lh.skip(2);
        std::uint32_t localCrc = lh.u32();
        lh.skip(8);
        std::uint64_t dataPos = local + 30 + lh.u16();
        dataPos += lh.u16();

        ++counter;
        if (!AskToExtract(target.path, counter)) continue;
        if (!hasDecoder(e.method)) throw E_RAISE(eUnsupportedMethod);

        std::uint64_t packed = e.packed;
        std::optional<ZipCipher> cipher;
        if (localFlags & 1) {
            std::array<std::uint8_t, ZipCipher::kHeaderSize> header;
            auto bytes = in.Record(dataPos, header.size()).bytes(header.size());
            std::copy(bytes.begin(), bytes.end(), header.begin());
            cipher = findPassword(header, e, localFlags, localTime, localCrc, target.path);
            if (!cipher) {
                if (OnGetPassword) ReportArcError(*this, target.path, "0", ePasswordFailed);
                break;
            }
            dataPos += header.size();
            packed = packed >= header.size() ? packed - header.size() : 0;
        }

        ctx.LastPercent = -1;
        MemberFile output(ctx, target.path);
        PackedInput packedIn(in.Source(), dataPos, packed);
        if (cipher) packedIn.SetTransform([&c = *cipher](std::uint8_t b) { return c.Decrypt(b); });
        const bool stored0 = e.method == 0;
        packedIn.SetOnRead([this, packed, stored0](std::uint64_t done) { NotifyProgress(done, packed, stored0); });
        DecodedOutput out(ctx.Sink, e.unpacked, DecodedOutput::Check::Crc32);
        DecodeZipMember(packedIn, out, e.method, e.flags);
        output.Finish(SetDateTo() == CurDate ? std::nullopt : std::optional<std::uint32_t>(e.stamp), e.external);
        nothingExtracted_ = false;

        bool pass = out.Written() == e.unpacked && out.Crc() == e.crc;
        if (!pass) ReportArcError(*this, target.path, "0", eCrcFailed);
        if (OnEnd) OnEnd(*this, target.path, pass);
        // Memory and stream targets take one member.
        if (ctx.Sink.Mode() != SinkMode::File) break;
    }
}

std::optional<ZipCipher> TUnZIP::findPassword(std::span<const std::uint8_t, ZipCipher::kHeaderSize> header,
                                              const ZipCentralEntry& central, std::uint16_t localFlags,
                                              std::uint16_t localTime, std::uint32_t localCrc,
                                              const std::string& target) {
    const auto centralTime = static_cast<std::uint16_t>(central.stamp & 0xFFFF);
    if (auto c = OpenZipCipher(header, central.flags, centralTime, central.crc, password_)) return c;
    for (const std::string& p : Passwords) {
        if (auto c = OpenZipCipher(header, localFlags, localTime, localCrc, p)) {
            password_ = p;
            return c;
        }
    }
    if (!OnGetPassword) {
        ReportArcError(*this, target, "0", eNoOnPassword);
        return std::nullopt;
    }
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::string typed;
        bool tryAgain = true;
        OnGetPassword(*this, target, typed, tryAgain);
        if (auto c = OpenZipCipher(header, central.flags, centralTime, central.crc, typed)) {
            Passwords.insert(Passwords.begin(), typed);
            password_ = typed;
            return c;
        }
        password_.clear();
        if (!tryAgain) break;
        ReportArcError(*this, target, "0", eInvalidPassword);
    }
    return std::nullopt;
}

}  // namespace kv::arc
