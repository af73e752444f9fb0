#include "archive/formats/ArjHeader.h"

#include "archive/ArcError.h"
#include "archive/Checksum.h"

namespace kv::arc {

namespace {

[[noreturn]] void failWith(const std::function<void(int)>& fail, int code) {
    fail(code);
    throw E_RAISE(code);
}

}  // namespace

bool IsArjHeaderAt(ArcInput& in, std::uint64_t pos) {
    if (pos > in.Size() || in.Size() - pos < 4) return false;
    BoundedReader idSize = in.Record(pos, 4);
    if (idSize.u16() != ArjHeader::kId) return false;
    std::size_t basicSize = idSize.u16();
    if (basicSize == 0 || basicSize > ArjHeader::kMaxBasic || in.Size() - pos - 4 < basicSize + 4) return false;
    BoundedReader b = in.Record(pos + 4, basicSize + 4);
    std::uint32_t crc = ~Crc32Update(0xFFFFFFFF, b.bytes(basicSize));
    return crc == b.u32();
}

std::optional<ArjHeader> ReadArjHeader(ArcInput& in, std::uint64_t pos, const std::function<void(int)>& fail,
                                       bool* noId) {
    if (pos > in.Size() || in.Size() - pos < 4) return std::nullopt;
    BoundedReader idSize = in.Record(pos, 4);
    if (idSize.u16() != ArjHeader::kId) {
        if (noId) *noId = true;
        return std::nullopt;
    }
    std::size_t basicSize = idSize.u16();
    if (basicSize == 0) return std::nullopt;
    if (basicSize > ArjHeader::kMaxBasic) failWith(fail, eBadFileHeader);
    BoundedReader b = in.Record(pos + 4, basicSize + 4);
    ArjHeader h;
    h.pos = pos;
    std::size_t firstSize = b.u8();
    if (firstSize < 30 || firstSize > basicSize) failWith(fail, eBadFileHeader);
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
    auto rest = b.bytes(basicSize - firstSize);
    std::string texts(rest.begin(), rest.end());
    std::size_t zero = texts.find('\0');
    if (zero == std::string::npos) failWith(fail, eBadFileHeader);
    h.name = texts.substr(0, zero);
    std::size_t zero2 = texts.find('\0', zero + 1);
    h.comment = texts.substr(zero + 1, zero2 == std::string::npos ? std::string::npos : zero2 - zero - 1);
    b.seek(0);
    h.headerCrcOk = ~Crc32Update(0xFFFFFFFF, b.bytes(basicSize)) == b.u32();
    // Then a chain of extended headers, each with its own CRC.
    std::uint64_t p = pos + 4 + basicSize + 4;
    for (;;) {
        std::size_t extSize = in.Record(p, 2).u16();
        p += 2;
        if (extSize == 0) break;
        p += extSize + 4;
        if (p > in.Size()) failWith(fail, eReadError);
    }
    h.dataPos = p;
    return h;
}

}  // namespace kv::arc
