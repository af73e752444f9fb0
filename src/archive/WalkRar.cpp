#include <cstring>

#include "ArcError.h"
#include "MethodNames.h"
#include "Walkers.h"

namespace kv::arc {

namespace {

// RAR 1.5 to 4.x: a marker block, then blocks of CRC(2) type(1) flags(2) size(2)
// and, with flag 0x8000, a 32-bit size of data after the header.
constexpr std::uint8_t kMarker[7] = {'R', 'a', 'r', '!', 0x1A, 0x07, 0x00};
constexpr std::uint8_t kMarker5[8] = {'R', 'a', 'r', '!', 0x1A, 0x07, 0x01, 0x00};

constexpr std::uint8_t kMainHeader = 0x73;
constexpr std::uint8_t kFileHeader = 0x74;
constexpr std::uint8_t kEndOfArchive = 0x7B;

constexpr std::uint16_t kLongBlock = 0x8000;
constexpr std::uint16_t kMainComment = 0x0002;
constexpr std::uint16_t kMainHeadersEncrypted = 0x0080;
constexpr std::uint16_t kFromPreviousVolume = 0x0001;
constexpr std::uint16_t kLargeSizes = 0x0100;
constexpr std::uint16_t kUnicodeName = 0x0200;
constexpr std::uint16_t kDirectoryMask = 0x00E0;

class Walker final : public MemberWalker {
public:
    void Walk(ListSession& s) const override {
        ArcInput& in = s.In();
        std::uint64_t pos = s.Start();
        BoundedReader head = in.Upto(pos, 8);
        auto mark = head.bytes(head.size());
        if (mark.size() >= 8 && std::memcmp(mark.data(), kMarker5, 8) == 0) s.Fail(eUnsupportedVersion);
        if (mark.size() < 7 || std::memcmp(mark.data(), kMarker, 7) != 0) s.Fail(eHeaderId);
        pos += 7;

        while (in.Size() - pos >= 7) {
            BoundedReader b = in.Record(pos, 7);
            b.u16();
            std::uint8_t type = b.u8();
            std::uint16_t flags = b.u16();
            std::size_t headSize = b.u16();
            if (headSize < 7) s.Fail(eBadFileHeader);
            std::uint64_t addSize = 0;
            if ((flags & kLongBlock) || type == kFileHeader) {
                if (headSize < 11) s.Fail(eBadFileHeader);
                addSize = in.Record(pos + 7, 4).u32();
            }
            if (type == kEndOfArchive) break;
            if (type == kMainHeader) {
                // Nothing after this header can be read without the password.
                if (flags & kMainHeadersEncrypted) s.Fail(ePasswordProtected);
                if (flags & kMainComment) s.SetArchiveComment("Archive Comment encrypted...");
            }
            if (type == kFileHeader) {
                if (headSize < 32) s.Fail(eBadFileHeader);
                BoundedReader h = in.Record(pos, headSize);
                h.skip(7);
                std::uint64_t packed = h.u32();
                std::uint64_t unpacked = h.u32();
                std::uint8_t hostOs = h.u8();
                std::uint32_t crc = h.u32();
                std::uint32_t stamp = h.u32();
                std::uint8_t unpackVersion = h.u8();
                std::uint8_t method = h.u8();
                std::size_t nameSize = h.u16();
                std::uint32_t attributes = h.u32();
                if (flags & kLargeSizes) {
                    packed |= std::uint64_t{h.u32()} << 32;
                    unpacked |= std::uint64_t{h.u32()} << 32;
                }
                std::string name(h.text(nameSize));
                // A Unicode name follows the plain one after a zero.
                if (flags & kUnicodeName) name = name.substr(0, name.find('\0'));
                addSize = packed;
                // Split members are listed once, in the volume where they start.
                if (!(flags & kFromPreviousVolume)) {
                    ArcMember& m = s.NewMember();
                    m.FileName = BackslashName(name);
                    SetMemberSizes(m, packed, unpacked);
                    m.FileCRC = crc;
                    m.Method = method;
                    m.MethodName = MethodName(s.Type(), method);
                    s.SetDosDate(m, stamp);
                    m.VersionMadeBy = unpackVersion;
                    m.VersionNeeded = 0;
                    m.InternalAttr = 32;
                    bool folder = (flags & kDirectoryMask) == kDirectoryMask;
                    // Unix hosts store permission bits, not DOS attributes.
                    bool unixHost = hostOs == 3 || hostOs == 5;
                    m.ExternalAttr = unixHost ? (folder ? 0x10 : 0x20) : attributes | (folder ? 0x10 : 0);
                    s.Emit(pos);
                }
            }
            pos = s.DataEnd(pos + headSize, addSize);
        }
    }
};

}  // namespace

const MemberWalker& RarWalker() {
    static const Walker w;
    return w;
}

}  // namespace kv::arc
