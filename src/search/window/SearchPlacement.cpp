#include "search/window/SearchPlacement.h"

#include <algorithm>

namespace kv {

std::int32_t PackFoundListHeights(const FoundListHeights& heights) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(heights.duplicates) << 16 | heights.normal);
}

FoundListHeights UnpackFoundListHeights(std::int32_t extra) {
    const auto bits = static_cast<std::uint32_t>(extra);
    return {std::max(kMinFoundListHeight, static_cast<std::uint16_t>(bits & 0xFFFF)),
            std::max(kMinFoundListHeight, static_cast<std::uint16_t>(bits >> 16))};
}

}  // namespace kv
