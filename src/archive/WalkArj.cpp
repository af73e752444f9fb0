#include "ArcBytes.h"
#include "ArcError.h"
#include "MethodNames.h"
#include "VolumeName.h"
#include "Walkers.h"

namespace kv::arc {

namespace {

constexpr std::uint16_t kHeaderId = 0xEA60;
constexpr std::size_t kMaxBasicHeader = 2600;
constexpr std::uint8_t kVolumeFlag = 0x04;
constexpr std::uint8_t kHostUnix = 2;

struct Header {
    std::uint64_t pos = 0;
    std::uint64_t dataPos = 0;  // after the header, its CRC and its extended headers
    std::uint8_t madeBy = 0, needed = 0, hostOs = 0, flags = 0, method = 0, fileType = 0;
    std::uint32_t stamp = 0, crc = 0;
    std::uint64_t packed = 0, unpacked = 0;
    std::string name, comment;
};

// Reads the header at pos; nullopt at the end marker (size 0) or without the id.
std::optional<Header> readHeader(ListSession& s, std::uint64_t pos) {
    ArcInput& in = s.In();
    if (in.Size() - pos < 4) return std::nullopt;
    BoundedReader idSize = in.Record(pos, 4);
    if (idSize.u16() != kHeaderId) return std::nullopt;
    std::size_t basicSize = idSize.u16();
    if (basicSize == 0) return std::nullopt;
    if (basicSize > kMaxBasicHeader) s.Fail(eBadFileHeader);
    BoundedReader b = in.Record(pos + 4, basicSize);
    Header h;
    h.pos = pos;
    std::size_t firstSize = b.u8();
    if (firstSize < 30 || firstSize > basicSize) s.Fail(eBadFileHeader);
    h.madeBy = b.u8();
    h.needed = b.u8();
    h.hostOs = b.u8();
    h.flags = b.u8();
    h.method = b.u8();
    h.fileType = b.u8();
    b.u8();
    h.stamp = b.u32();
    h.packed = b.u32();
    h.unpacked = b.u32();
    h.crc = b.u32();
    // Name and comment follow the first header, whatever its size.
    b.seek(firstSize);
    auto rest = b.bytes(b.remaining());
    std::string texts(rest.begin(), rest.end());
    std::size_t zero = texts.find('\0');
    if (zero == std::string::npos) s.Fail(eBadFileHeader);
    h.name = texts.substr(0, zero);
    std::size_t zero2 = texts.find('\0', zero + 1);
    h.comment = texts.substr(zero + 1, zero2 == std::string::npos ? std::string::npos : zero2 - zero - 1);
    // Header CRC, then a chain of extended headers each with its own CRC.
    std::uint64_t p = pos + 4 + basicSize + 4;
    for (;;) {
        std::size_t extSize = in.Record(p, 2).u16();
        p += 2;
        if (extSize == 0) break;
        p += extSize + 4;
        if (p > in.Size()) s.Fail(eReadError);
    }
    h.dataPos = p;
    return h;
}

class Walker final : public MemberWalker {
public:
    void Walk(ListSession& s) const override {
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
            while (flags & kVolumeFlag) {
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
            if (h->hostOs == kHostUnix)
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
};

}  // namespace

const MemberWalker& ArjWalker() {
    static const Walker w;
    return w;
}

}  // namespace kv::arc
