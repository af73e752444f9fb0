#include "archive/ArcError.h"
#include "archive/formats/ArjHeader.h"
#include "archive/MethodNames.h"
#include "archive/VolumeName.h"
#include "archive/MemberWalker.h"

namespace kv::arc {

namespace {

std::optional<ArjHeader> readHeader(ListSession& s, std::uint64_t pos) {
    return ReadArjHeader(s.In(), pos, [&](int code) { s.Fail(code); });
}

}  // namespace

void WalkArj(ListSession& s) {
    auto main = readHeader(s, s.Start());
    if (!main) s.Fail(eHeaderId);
    s.SetArchiveComment(main->comment);
    std::uint64_t pos = main->dataPos;
    int volumeCounter = 0;
    while (auto h = readHeader(s, pos)) {
        std::string volume = s.CurrentVolumeFile();
        std::uint64_t packed = h->packed, unpacked = h->unpacked;
        std::uint64_t next = s.DataEnd(h->dataPos, h->packed);
        std::uint8_t flags = h->flags;
        while (flags & ArjHeader::kContinues) {
            std::string name = NextVolumeName(s.ArchiveFile(), volumeCounter);
            if (name.empty()) s.Fail(eOpenError);
            s.OpenVolume(name, std::to_string(volumeCounter));
            auto volMain = readHeader(s, 0);
            if (!volMain) s.Fail(eHeaderId);
            auto part = readHeader(s, volMain->dataPos);
            if (!part) s.Fail(eBadFileHeader);
            packed += part->packed;
            unpacked += part->unpacked;
            flags = part->flags;
            next = s.DataEnd(part->dataPos, part->packed);
        }
        ArcMember& m = s.NewMember();
        m.FileName = BackslashName(h->name);
        m.FileComment = h->comment;
        SetMemberSizes(m, packed, unpacked);
        m.FileCRC = h->crc;
        m.Method = h->method;
        m.MethodName = MethodName(s.Type(), h->method);
        // ARJ for Unix stores Unix times.
        if (h->hostOs == ArjHeader::kHostUnix)
            s.SetUnixDate(m, h->stamp);
        else
            s.SetDosDate(m, h->stamp);
        m.VersionMadeBy = h->madeBy;
        m.VersionNeeded = h->needed;
        m.InternalAttr = 32;
        m.ExternalAttr = h->fileType == 3 ? 0x10 : h->fileType == 4 ? 0x08 : 32;
        // The member is reported with the volume it starts in.
        std::string reached = s.CurrentVolumeFile();
        s.SetCurrentVolumeFile(volume);
        s.Emit(h->pos);
        s.SetCurrentVolumeFile(reached);
        pos = next;
    }
}

std::string ArjMethodName(std::uint16_t method, std::uint16_t) {
    return PickMethodName(method, {"Stored", "Most", "2nd Most", "2nd Fast", "Fastest"});
}

}  // namespace kv::arc
