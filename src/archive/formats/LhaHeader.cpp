#include "archive/formats/LhaHeader.h"

#include "archive/ArcBytes.h"
#include "archive/ArcError.h"

namespace kv::arc {

namespace {

using Fail = std::function<void(int)>;

[[noreturn]] void failWith(const Fail& fail, int code) {
    fail(code);
    throw E_RAISE(code);
}

// Folder names use 0xFF (and sometimes '\' or '/') as separators.
std::string folderText(std::string_view raw) {
    std::string f;
    for (char c : raw) f += (static_cast<unsigned char>(c) == 0xFF || c == '/') ? '\\' : c;
    if (!f.empty() && f.back() != '\\') f += '\\';
    return f;
}

struct Extended {
    std::string name, folder, comment;
    bool hasName = false;
    std::optional<std::uint16_t> attributes;
    std::optional<std::uint64_t> packed, unpacked;
    std::optional<std::uint32_t> unixTime;
};

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
void chainInHeader(const Fail& fail, BoundedReader h, std::size_t first, int sizeBytes, Extended& x) {
    std::size_t size = first;
    while (size != 0) {
        if (size < 1u + sizeBytes || size > h.remaining()) failWith(fail, eBadFileHeader);
        BoundedReader e(h.bytes(size));
        std::uint8_t type = e.u8();
        takeExtended(type, BoundedReader(e.bytes(size - 1 - sizeBytes)), x);
        size = sizeBytes == 2 ? e.u16() : e.u32();
    }
}

// Levels 2 and 3 hold the whole header, extended ones included, in one record:
// CRC at 21, OS at 23, then (level 3) the 32-bit header size, then the size of the
// first extended header in 16 or 32 bits. Returns the CRC.
std::uint16_t longHeader(ArcInput& in, const Fail& fail, std::uint64_t pos, std::size_t headerLen, int sizeBytes,
                         Extended& x) {
    BoundedReader h = in.Record(pos, headerLen);
    h.skip(21);
    std::uint16_t crc = h.u16();
    h.skip(sizeBytes == 2 ? 1 : 5);
    std::size_t first = sizeBytes == 2 ? h.u16() : h.u32();
    chainInHeader(fail, h, first, sizeBytes, x);
    return crc;
}

}  // namespace

std::optional<LhaHeader> ReadLhaHeader(ArcInput& in, std::uint64_t pos, const Fail& fail) {
    if (pos >= in.Size() || in.Record(pos, 1).u8() == 0) return std::nullopt;
    BoundedReader fixed = in.Record(pos, 22);
    auto f = fixed.bytes(22);
    LhaHeader r;
    r.level = f[20];
    r.packed = Le32(&f[7]);
    r.unpacked = Le32(&f[11]);
    r.stamp = Le32(&f[15]);
    r.attribute = f[19];
    r.methodId.assign(f.begin() + 2, f.begin() + 7);

    Extended x;
    std::string baseName;
    if (r.level == 0 || r.level == 1) {
        std::size_t headerLen = std::size_t{f[0]} + 2;
        std::size_t nameLen = f[21];
        if (headerLen < 24 + nameLen) failWith(fail, eBadFileHeader);
        BoundedReader h = in.Record(pos, headerLen);
        h.skip(22);
        baseName = std::string(h.text(nameLen));
        r.crc = h.u16();
        r.dataPos = pos + headerLen;
        if (r.level == 1) {
            if (headerLen < 27 + nameLen) failWith(fail, eBadFileHeader);
            h.seek(headerLen - 2);
            std::size_t size = h.u16();
            // The packed size counts the whole chain of extended headers that follows.
            std::uint64_t extTotal = 0;
            while (size != 0) {
                if (size < 3) failWith(fail, eBadFileHeader);
                extTotal += size;
                if (extTotal > r.packed) failWith(fail, eBadFileHeader);
                BoundedReader e = in.Record(r.dataPos, size);
                std::uint8_t type = e.u8();
                takeExtended(type, BoundedReader(e.bytes(size - 3)), x);
                size = e.u16();
                r.dataPos += e.size();
            }
            r.packed -= extTotal;
        }
    } else if (r.level == 2) {
        std::size_t headerLen = Le16(&f[0]);
        if (headerLen < 26) failWith(fail, eBadFileHeader);
        r.crc = longHeader(in, fail, pos, headerLen, 2, x);
        r.dataPos = pos + headerLen;
    } else if (r.level == 3) {
        if (Le16(&f[0]) != 4) failWith(fail, eBadFileHeader);
        BoundedReader sizes = in.Record(pos + 24, 8);
        std::uint32_t headerLen = sizes.u32();
        if (headerLen < 32 || headerLen > ArcInput::kMaxRecord) failWith(fail, eBadFileHeader);
        r.crc = longHeader(in, fail, pos, headerLen, 4, x);
        r.dataPos = pos + headerLen;
    } else {
        failWith(fail, eBadFileHeader);
    }
    if (x.packed) r.packed = *x.packed;
    if (x.unpacked) r.unpacked = *x.unpacked;

    std::string name = x.hasName ? x.name : baseName;
    // A comment may follow the name after a zero (Amiga archivers).
    std::size_t zero = name.find('\0');
    if (zero != std::string::npos) {
        r.comment = name.substr(zero + 1);
        name.resize(zero);
    }
    if (!x.comment.empty()) r.comment = x.comment;
    r.name = x.folder + folderText(name);
    if (!r.name.empty() && !name.empty() && r.name.back() == '\\') r.name.pop_back();
    r.attributes = x.attributes;
    r.unixTime = x.unixTime;
    return r;
}

}  // namespace kv::arc
