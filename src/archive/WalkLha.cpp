#include <optional>

#include "ArcBytes.h"
#include "ArcError.h"
#include "MethodNames.h"
#include "Walkers.h"

namespace kv::arc {

namespace {

// What the extended headers of levels 1-3 may add.
struct Extended {
    std::string name, folder, comment;
    bool hasName = false;
    std::optional<std::uint16_t> attributes;
    std::optional<std::uint64_t> packed, unpacked;
    std::optional<std::uint32_t> unixTime;
};

// Folder names use 0xFF (and sometimes '\' or '/') as separators.
std::string folderText(std::string_view raw) {
    std::string f;
    for (char c : raw) f += (static_cast<unsigned char>(c) == 0xFF || c == '/') ? '\\' : c;
    if (!f.empty() && f.back() != '\\') f += '\\';
    return f;
}

void takeExtended(std::uint8_t type, BoundedReader data, Extended& x) {
    switch (type) {
        case 0x01:
            x.name = std::string(data.text(data.remaining()));
            x.hasName = true;
            break;
        case 0x02: x.folder = folderText(data.text(data.remaining())); break;
        case 0x3F: x.comment = std::string(data.text(data.remaining())); break;
        case 0x40:
            if (data.remaining() >= 2) x.attributes = data.u16();
            break;
        case 0x54:
            if (data.remaining() >= 4) x.unixTime = data.u32();
            break;
        case 0x42:
            if (data.remaining() >= 16) {
                x.packed = data.u64();
                x.unpacked = data.u64();
            }
            break;
        default: break;
    }
}

// Walks a chain of extended headers held in memory (levels 2 and 3): each is its
// type, its data and the size of the next, the size counting all three.
void chainInHeader(ListSession& s, BoundedReader h, std::size_t first, int sizeBytes, Extended& x) {
    std::size_t size = first;
    while (size != 0) {
        if (size < 1u + sizeBytes || size > h.remaining()) s.Fail(eBadFileHeader);
        BoundedReader e(h.bytes(size));
        std::uint8_t type = e.u8();
        takeExtended(type, BoundedReader(e.bytes(size - 1 - sizeBytes)), x);
        size = sizeBytes == 2 ? e.u16() : e.u32();
    }
}

// Levels 2 and 3 hold the whole header, extended ones included, in one record:
// CRC at 21, OS at 23, then (level 3) the 32-bit header size, then the size of the
// first extended header in 16 or 32 bits. Returns the CRC.
std::uint16_t longHeader(ListSession& s, std::uint64_t pos, std::size_t headerLen, int sizeBytes, Extended& x) {
    BoundedReader h = s.In().Record(pos, headerLen);
    h.skip(21);
    std::uint16_t crc = h.u16();
    h.skip(sizeBytes == 2 ? 1 : 5);
    std::size_t first = sizeBytes == 2 ? h.u16() : h.u32();
    chainInHeader(s, h, first, sizeBytes, x);
    return crc;
}

class Walker final : public MemberWalker {
public:
    void Walk(ListSession& s) const override {
        ArcInput& in = s.In();
        std::uint64_t pos = s.Start();
        while (pos < in.Size()) {
            // A zero byte where a header would start ends the archive.
            if (in.Record(pos, 1).u8() == 0) break;
            BoundedReader fixed = in.Record(pos, 22);
            auto f = fixed.bytes(22);
            std::uint8_t level = f[20];
            std::uint8_t method = f[5];
            std::uint64_t packed = Le32(&f[7]);
            std::uint64_t unpacked = Le32(&f[11]);
            std::uint32_t stamp = Le32(&f[15]);
            std::uint8_t attribute = f[19];
            std::string methodId(f.begin() + 2, f.begin() + 7);

            Extended x;
            std::string baseName;
            std::uint16_t crc = 0;
            std::uint64_t headerEnd = 0;  // where the data starts
            if (level == 0 || level == 1) {
                std::size_t headerLen = std::size_t{f[0]} + 2;
                std::size_t nameLen = f[21];
                if (headerLen < 24 + nameLen) s.Fail(eBadFileHeader);
                BoundedReader h = in.Record(pos, headerLen);
                h.skip(22);
                baseName = std::string(h.text(nameLen));
                crc = h.u16();
                headerEnd = pos + headerLen;
                if (level == 1) {
                    if (headerLen < 27 + nameLen) s.Fail(eBadFileHeader);
                    h.seek(headerLen - 2);
                    std::size_t size = h.u16();
                    // The packed size counts the extended headers that follow.
                    std::uint64_t extTotal = 0;
                    while (size != 0) {
                        if (size < 3) s.Fail(eBadFileHeader);
                        extTotal += size;
                        if (extTotal > packed) s.Fail(eBadFileHeader);
                        BoundedReader e = in.Record(headerEnd, size);
                        std::uint8_t type = e.u8();
                        takeExtended(type, BoundedReader(e.bytes(size - 3)), x);
                        size = e.u16();
                        headerEnd += e.size();
                    }
                    packed -= extTotal;
                }
            } else if (level == 2) {
                std::size_t headerLen = Le16(&f[0]);
                if (headerLen < 26) s.Fail(eBadFileHeader);
                crc = longHeader(s, pos, headerLen, 2, x);
                headerEnd = pos + headerLen;
            } else if (level == 3) {
                if (Le16(&f[0]) != 4) s.Fail(eBadFileHeader);
                BoundedReader sizes = in.Record(pos + 24, 8);
                std::uint32_t headerLen = sizes.u32();
                if (headerLen < 32 || headerLen > ArcInput::kMaxRecord) s.Fail(eBadFileHeader);
                crc = longHeader(s, pos, headerLen, 4, x);
                headerEnd = pos + headerLen;
            } else {
                s.Fail(eBadFileHeader);
            }
            if (x.packed) packed = *x.packed;
            if (x.unpacked) unpacked = *x.unpacked;

            ArcMember& m = s.NewMember();
            std::string name = x.hasName ? x.name : baseName;
            // A comment may follow the name after a zero (Amiga archivers).
            std::size_t zero = name.find('\0');
            if (zero != std::string::npos) {
                m.FileComment = name.substr(zero + 1);
                name.resize(zero);
            }
            if (!x.comment.empty()) m.FileComment = x.comment;
            m.FileName = x.folder + folderText(name);
            if (!m.FileName.empty() && !name.empty() && m.FileName.back() == '\\') m.FileName.pop_back();
            SetMemberSizes(m, packed, unpacked);
            m.FileCRC = crc;
            m.CrcBits = 16;
            m.Method = method;
            m.MethodName = MethodName(s.Type(), method);
            // Level 1 headers of Unix archivers carry the exact time besides the
            // local DOS stamp.
            if (level >= 2)
                s.SetUnixDate(m, stamp);
            else if (x.unixTime)
                s.SetUnixDate(m, *x.unixTime);
            else
                s.SetDosDate(m, stamp);
            m.InternalAttr = 32;
            m.ExternalAttr = x.attributes ? *x.attributes : attribute;
            if (methodId == "-lhd-") m.ExternalAttr |= 0x10;
            s.Emit(pos);
            pos = s.DataEnd(headerEnd, packed);
        }
    }
};

}  // namespace

const MemberWalker& LhaWalker() {
    static const Walker w;
    return w;
}

}  // namespace kv::arc
