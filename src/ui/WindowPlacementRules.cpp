#include "ui/WindowPlacementRules.h"

#include <cstdlib>

#include "base/BoundedReader.h"

namespace kv {

namespace {

void putI32(std::uint8_t* out, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<std::uint8_t>(u >> (8 * i));
}

}  // namespace

std::array<std::uint8_t, kPlacementBytes> EncodePlacement(const SavedPlacement& p) {
    std::array<std::uint8_t, kPlacementBytes> out{};
    const std::int32_t values[5] = {p.bounds.left, p.bounds.top, p.bounds.width, p.bounds.height, p.extra};
    for (int i = 0; i < 5; ++i)
        putI32(out.data() + 4 * i, values[i]);
    return out;
}

std::optional<SavedPlacement> DecodePlacement(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != kPlacementBytes)
        return std::nullopt;
    BoundedReader r(bytes);
    SavedPlacement p;
    p.bounds.left = r.i32();
    p.bounds.top = r.i32();
    p.bounds.width = r.i32();
    p.bounds.height = r.i32();
    p.extra = r.i32();
    return p;
}

FormBounds AdjustMaximisedBounds(FormBounds b, std::int32_t maximisedWidth, std::int32_t maximisedHeight) {
    if (b.width != maximisedWidth || b.height != maximisedHeight)
        return b;
    // 64-bit so that absurd values from the registry cannot overflow.
    const auto shrink = [](std::int32_t size, std::int32_t offset) {
        const std::int64_t r = std::int64_t{size} - 2 * std::llabs(std::int64_t{offset});
        return static_cast<std::int32_t>(r < 0 ? 0 : r);
    };
    b.height = shrink(b.height, b.top);
    b.width = shrink(b.width, b.left);
    b.left = 0;
    b.top = 0;
    return b;
}

bool IsPlacementVisible(const FormBounds& b, const ScreenArea& s) {
    const std::int64_t right = std::int64_t{b.left} + b.width;
    const std::int64_t bottom = std::int64_t{b.top} + b.height;
    const std::int64_t screenRight = std::int64_t{s.left} + s.width;
    const std::int64_t screenBottom = std::int64_t{s.top} + s.height;
    return b.left < screenRight && right >= s.left && b.top < screenBottom && bottom >= s.top;
}

}  // namespace kv
