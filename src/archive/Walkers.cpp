#include "archive/MemberWalker.h"

#include <algorithm>

#include "archive/Walkers.h"

namespace kv::arc {

const MemberWalker* WalkerFor(TArcType type) {
    switch (type) {
        case atARJ:
        case atArjExe: return &ArjWalker();
        case atARC:
        case atArcExe:
        case atPAK:
        case atPakExe: return &ArcWalker();
        case atBH:
        case atBHExe: return &BhWalker();
        case atCAB: return &CabWalker();
        case atGZip: return &GzipWalker();
        case atHA: return &HaWalker();
        case atLHA:
        case atLhaExe:
        case atLZH:
        case atLzhExe: return &LhaWalker();
        case atRAR:
        case atRarExe: return &RarWalker();
        case atTAR: return &TarWalker();
        case atZIP:
        case atZipExe:
        case atZip250:
        case atZip250Exe: return &ZipWalker();
        case atZOO: return &ZooWalker();
        default: return nullptr;
    }
}

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
