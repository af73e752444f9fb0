#include "archive/ArcType.h"

namespace kv::arc {

std::string_view ArcTypeDisplayName(TArcType t) {
    static constexpr std::string_view kNames[kArcTypeCount] = {
        "Not avail.", "Unsupport.", "File Error", "Unknown   ", "ARJ       ", "ARJ SFX   ", "ARC       ",
        "ARC SFX   ", "BH        ", "BH  SFX   ", "CAB       ", "GZip      ", "HA        ", "LHA       ",
        "LHA SFX   ", "LZH       ", "LZH SFX",    "PAK       ", "PAK SFX   ", "RAR       ", "RAR SFX   ",
        "TAR       ", "ZIP       ", "ZIP SFX   ", "ZIP250    ", "ZIP250 SFX", "ZOO       ",
    };
    return t < kArcTypeCount ? kNames[t] : kNames[atNA];
}

}  // namespace kv::arc
