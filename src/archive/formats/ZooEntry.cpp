#include "archive/formats/ZooEntry.h"

#include "archive/ArcDates.h"
#include "archive/ArcError.h"
#include "archive/MemberWalker.h"

namespace kv::arc {

namespace {

constexpr std::uint32_t kTag = 0xFDC4A7DC;
constexpr std::size_t kEntry = 56;  // up to the variable part of a type-2 entry

[[noreturn]] void failWith(const std::function<void(int)>& fail, int code) {
    fail(code);
    throw E_RAISE(code);
}

}  // namespace

std::uint32_t ZooEntry::DosStamp() const { return SwapHalves(std::uint32_t{date} | std::uint32_t{time} << 16); }

ZooArchiveHeader ReadZooArchiveHeader(ArcInput& in, std::uint64_t start, const std::function<void(int)>& fail) {
    BoundedReader a = in.Record(start, 34);
    a.skip(20);
    if (a.u32() != kTag) failWith(fail, eHeaderId);
    ZooArchiveHeader h;
    h.first = a.u32();
    h.minusFirst = a.u32();
    h.major = a.u8();
    return h;
}

ZooEntry ReadZooEntry(ArcInput& in, std::uint64_t pos, const std::function<void(int)>& fail) {
    BoundedReader e = in.Record(pos, kEntry);
    if (e.u32() != kTag) failWith(fail, eBadFileHeader);
    ZooEntry z;
    z.type = e.u8();
    z.method = e.u8();
    z.next = e.u32();
    z.dataPos = e.u32();
    z.date = e.u16();
    z.time = e.u16();
    z.crc = e.u16();
    z.unpacked = e.u32();
    z.packed = e.u32();
    z.major = e.u8();
    z.minor = e.u8();
    z.deleted = e.u8() != 0;
    e.u8();
    z.commentPos = e.u32();
    z.commentLen = e.u16();
    std::string name(e.text(13));
    name.resize(name.find('\0') == std::string::npos ? 13 : name.find('\0'));
    std::uint16_t varLen = e.u16();
    std::string folder;
    if (z.next != 0 && z.type == 2 && varLen >= 2) {
        BoundedReader v = in.Record(pos + kEntry, varLen);
        std::size_t nameLen = v.u8();
        std::size_t dirLen = v.u8();
        if (2 + nameLen + dirLen > varLen) failWith(fail, eBadFileHeader);
        std::string longName(v.text(nameLen));
        std::string dir(v.text(dirLen));
        longName = longName.substr(0, longName.find('\0'));
        dir = dir.substr(0, dir.find('\0'));
        if (!longName.empty()) name = longName;
        if (!dir.empty()) folder = BackslashName(dir) + (dir.back() == '/' ? "" : "\\");
    }
    z.name = folder + BackslashName(name);
    return z;
}

}  // namespace kv::arc
