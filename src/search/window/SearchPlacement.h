#pragma once
// The extra word of "SearchWndPos": the found list's height in normal mode in
// the low 16 bits, in duplicate mode in the high 16.
#include <cstdint>

namespace kv {

inline constexpr std::uint16_t kMinFoundListHeight = 100;

struct FoundListHeights {
    std::uint16_t normal = kMinFoundListHeight;
    std::uint16_t duplicates = kMinFoundListHeight;
};

std::int32_t PackFoundListHeights(const FoundListHeights& heights);
// A height below the minimum reads as the minimum.
FoundListHeights UnpackFoundListHeights(std::int32_t extra);

}  // namespace kv
