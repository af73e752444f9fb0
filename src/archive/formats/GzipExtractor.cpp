#include "archive/formats/GzipExtractor.h"

#include "archive/ArcDates.h"
#include "archive/ArcInput.h"
#include "archive/decoders/DecoderIo.h"
#include "archive/formats/GzipHeader.h"
#include "archive/decoders/Inflate.h"
#include "archive/MemberFile.h"
#include "archive/MemberWalker.h"

#include "base/DosDateTime.h"

namespace kv::arc {

namespace {

// All members together: what the 32-bit size field of a trailer can describe.
constexpr std::uint64_t kOutputCap = 0xFFFFFFFFu;

}  // namespace

void TUnGZIP::DoExtract() {
    ArchiveContext& ctx = Context();
    const std::string archive = ArchiveFile();
    auto fail = [this, &archive](int code) { RaiseArcError(*this, archive, "0", code); };
    if (archive.empty()) fail(eInvalidFileName);
    if (ArcType() != atGZip) fail(eWrongArchiveType);
    std::unique_ptr<ArcInput> input;
    try {
        input = OpenInput();
    } catch (const EIoError&) {
        fail(eOpenError);
    }
    ArcInput& in = *input;
    const std::uint64_t start = ArchiveStart();
    const std::uint64_t size = in.Size();
    bool extracted = false;
    try {
        BoundedReader magic = in.Upto(start, 2);
        std::uint8_t id1 = magic.remaining() == 2 ? magic.u8() : 0, id2 = magic.remaining() ? magic.u8() : 0;
        if (id1 != 0x1F || (id2 != 0x8B && id2 != 0x9E && id2 != 0x9D && id2 != 0xA0)) fail(eHeaderId);

        ActivationScope activation(*this);

        const bool gzip = id2 == 0x8B || id2 == 0x9E;
        GzipHeader header;
        if (gzip) header = ReadGzipHeader(in, start, fail);
        std::string stored = BackslashName(header.name ? *header.name : GzipNameFromArchive(archive));
        if (!Selects(stored)) fail(eNothingToDo);
        SafeTarget target = BuildTargetPath(stored);
        if (!target) {
            ReportArcError(*this, stored, "0", eInvalidFileName);
            fail(eNothingToDo);
        }
        Current = ArcMember{};
        Current.FileName = stored;
        Current.Method = header.method;
        if (!AskToExtract(target.path, 1)) fail(eNothingToDo);

        if (!gzip) throw E_RAISE(eUnsupportedMethod);
        // Before the RFC, flag bit 1 marked one part of a multi-part file; since, a header CRC.
        if (id2 == 0x9E && (header.flags & GzipHeader::kContinued)) fail(eMultiPartGzip);
        if (header.flags & GzipHeader::kEncrypted) fail(ePasswordProtected);
        if (header.method != 0 && header.method != 8) throw E_RAISE(eUnsupportedMethod);

        const std::uint32_t mtime = header.mtime;
        ctx.LastPercent = -1;
        MemberFile output(ctx, target.path);
        std::uint64_t total = 0;
        bool pass = true;
        for (std::uint64_t pos = header.dataPos;;) {
            // Stored data has no end of its own: it runs to the last trailer.
            std::uint64_t limit = header.method == 0 ? (size >= 8 ? size - 8 : 0) : size;
            if (pos > limit) fail(eReadError);
            PackedInput packedIn(in.Source(), pos, limit - pos);
            const std::uint64_t offset = pos - start;
            packedIn.SetOnRead([this, offset, size, start, stored0 = header.method == 0](std::uint64_t done) {
                NotifyProgress(offset + done, size - start, stored0);
            });
            DecodedOutput out(ctx.Sink, kOutputCap - total, DecodedOutput::Check::Crc32);
            std::size_t unused = DecodeGzipMember(packedIn, out, header.method);
            std::uint64_t trailer = pos + (limit - pos - packedIn.Remaining()) - unused;
            if (size - trailer < 8) fail(eReadError);
            BoundedReader t = in.Record(trailer, 8);
            std::uint32_t crc = t.u32();
            std::uint32_t length = t.u32();
            pass = pass && crc == out.Crc() && length == static_cast<std::uint32_t>(out.Written());
            total += out.Written();

            // `cat a.gz b.gz` is a valid gzip file: members follow one another.
            pos = trailer + 8;
            BoundedReader next = in.Upto(pos, 4);
            if (next.remaining() < 4 || next.u8() != 0x1F || next.u8() != 0x8B) break;
            header = ReadGzipHeader(in, pos, fail);
            if ((header.method != 0 && header.method != 8) || (header.flags & GzipHeader::kEncrypted)) break;
            pos = header.dataPos;
        }
        std::optional<std::uint32_t> stamp;
        if (SetDateTo() != CurDate) {
            stamp = mtime ? encodeDosDateTime(UnixToDateTime(mtime, ctx.BiasMinutes()))
                                 : ArchiveFileDate();
        }
        output.Finish(stamp, std::nullopt);
        extracted = true;
        if (!pass) ReportArcError(*this, target.path, "0", eCrcFailed);
        if (OnEnd) OnEnd(*this, target.path, pass);
    } catch (const ETruncated&) {
        fail(eReadError);
    } catch (const EIoError&) {
        fail(eReadError);
    }
    if (!extracted) fail(eNothingToDo);
}

}  // namespace kv::arc
