#pragma once
// The main window's "WindowPos" value: bounds, tree width, view style and the
// sort byte, 30 bytes little-endian.
#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "ui/WindowPlacementRules.h"

namespace kv {

inline constexpr std::size_t kWindowPosBytes = 30;
// Details: what the list shows when nothing usable is stored.
inline constexpr std::uint8_t kDefaultViewStyle = 3;

struct SortState {
    std::uint8_t diskColumn = 1;  // 0..7
    std::uint8_t fileColumn = 1;  // 0..7
    bool reverse = false;
    friend bool operator==(const SortState&, const SortState&) = default;
};

struct WindowPos {
    FormBounds bounds;
    std::int32_t treeWidth = 0;
    std::uint8_t viewStyle = kDefaultViewStyle;
    SortState sort;
    friend bool operator==(const WindowPos&, const WindowPos&) = default;
};

// Bits 0-2 disk column, bits 3-5 file column, bit 7 descending.
std::uint8_t EncodeSortByte(const SortState& sort);
SortState DecodeSortByte(std::uint8_t byte);

std::array<std::uint8_t, kWindowPosBytes> EncodeWindowPos(const WindowPos& pos);
// Nothing unless exactly 30 bytes.
std::optional<WindowPos> DecodeWindowPos(std::span<const std::uint8_t> bytes);

// Smallest window the stored bounds may give; anything smaller is damage.
inline constexpr std::int32_t kMinWindowWidth = 120;
inline constexpr std::int32_t kMinWindowHeight = 80;

// The stored bounds are worth applying: big enough and partly on the screen.
// A monitor change or a damaged value otherwise brings the window back where
// nobody can reach it.
bool UsableWindowBounds(const FormBounds& bounds, const ScreenArea& screen);

}  // namespace kv
