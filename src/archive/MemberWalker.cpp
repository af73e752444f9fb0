#include "archive/MemberWalker.h"

#include <algorithm>

namespace kv::arc {

void SetMemberSizes(ArcMember& m, std::uint64_t packed, std::uint64_t unpacked) {
    m.PackedSize64 = packed;
    m.UnpackedSize64 = unpacked;
    m.PackedSize = static_cast<std::uint32_t>(std::min<std::uint64_t>(packed, 0xFFFFFFFF));
    m.UnpackedSize = static_cast<std::uint32_t>(std::min<std::uint64_t>(unpacked, 0xFFFFFFFF));
}

std::string BackslashName(std::string name) {
    std::replace(name.begin(), name.end(), '/', '\\');
    return name;
}

}  // namespace kv::arc
