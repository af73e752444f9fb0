#pragma once
// The rules behind saved window positions: the stored 20-byte value, the
// correction for windows saved maximised, and whether a saved position would
// still be visible on the screens of today.
#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace kv {

struct FormBounds {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const FormBounds&, const FormBounds&) = default;
};

struct SavedPlacement {
    FormBounds bounds;
    std::int32_t extra = -1;  // the window's own number
    friend bool operator==(const SavedPlacement&, const SavedPlacement&) = default;
};

inline constexpr std::size_t kPlacementBytes = 20;

std::array<std::uint8_t, kPlacementBytes> EncodePlacement(const SavedPlacement& placement);
// Nothing unless exactly 20 bytes.
std::optional<SavedPlacement> DecodePlacement(std::span<const std::uint8_t> bytes);

// A window as big as the maximised size sits with its frame off screen
// (-4, -4, 1032 x 776 on 1024 x 768); it is stored as the screen area it covers.
FormBounds AdjustMaximisedBounds(FormBounds bounds, std::int32_t maximisedWidth, std::int32_t maximisedHeight);

struct ScreenArea {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Some part of the window lies on the area (on the edge counts).
bool IsPlacementVisible(const FormBounds& bounds, const ScreenArea& screen);

}  // namespace kv
