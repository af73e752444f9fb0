#include "archive/formats/HaWalker.h"

#include "archive/ArcError.h"
#include "archive/MethodNames.h"
#include "archive/MemberWalker.h"

namespace kv::arc {

namespace {

constexpr std::size_t kMaxText = 4096;
constexpr std::uint8_t kDirectory = 14;

}  // namespace

// "HA", a 16-bit member count, then per member: version and method in one byte,
// packed and unpacked sizes, CRC-32, Unix time, path and name (each zero-ended,
// 0xFF separating folders) and a length-prefixed machine-specific block.
void WalkHa(ListSession& s) {
    ArcInput& in = s.In();
    std::uint64_t pos = s.Start() + 4;
    while (pos < in.Size()) {
        BoundedReader h = in.Record(pos, 17);
        std::uint8_t kind = h.u8();
        std::uint64_t packed = h.u32();
        std::uint64_t unpacked = h.u32();
        std::uint32_t crc = h.u32();
        std::uint32_t time = h.u32();
        std::uint64_t p = pos + 17;
        auto path = in.ZeroText(p, kMaxText);
        if (!path) s.Fail(eBadFileHeader);
        p += path->size() + 1;
        auto name = in.ZeroText(p, kMaxText);
        if (!name) s.Fail(eBadFileHeader);
        p += name->size() + 1;
        std::size_t machineLen = in.Record(p, 1).u8();
        p += 1 + machineLen;

        std::string folder;
        for (char c : *path) folder += static_cast<unsigned char>(c) == 0xFF ? '\\' : c;
        if (!folder.empty() && folder.back() != '\\') folder += '\\';
        std::uint8_t method = kind & 0x0F;
        ArcMember& m = s.NewMember();
        m.FileName = BackslashName(folder + *name);
        SetMemberSizes(m, packed, unpacked);
        m.FileCRC = crc;
        m.Method = method;
        m.MethodName = MethodName(atHA, method);
        s.SetUnixDate(m, time);
        m.VersionMadeBy = m.VersionNeeded = kind >> 4;
        m.InternalAttr = 32;
        m.ExternalAttr = method == kDirectory ? 0x10 : 32;
        s.Emit(pos);
        pos = s.DataEnd(p, packed);
    }
}

std::string HaMethodName(std::uint16_t method, std::uint16_t) {
    if (method == 14) return "Dir";
    if (method == 15) return "Special";
    return PickMethodName(method, {"Cpy", "Asc", "HSC"});
}

}  // namespace kv::arc
