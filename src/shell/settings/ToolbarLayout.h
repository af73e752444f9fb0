#pragma once
// The main toolbar's layout as "CustomToolbar" keeps it: one byte per entry,
// a button's tag, 0 a separator, 255 the "Unused Buttons" marker (buttons after
// it are hidden). The toolbar is described by its controls, so the layout is
// worked out without a window.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kv {

inline constexpr std::uint8_t kToolbarSeparator = 0;
inline constexpr std::uint8_t kToolbarMarker = 255;

// One control of the main toolbar, in the toolbar's control order.
struct ToolbarControl {
    int tag = 0;  // as a signed byte
    bool isButton = false;
    int left = 0;
};

// Every control in order (a button by its tag, anything else a separator),
// then the marker.
std::vector<std::uint8_t> DefaultToolbarLayout(std::span<const ToolbarControl> controls);

// Where the button `controls[button]`, missing from the layout, goes: after
// the entry of the nearest control to its left that the layout holds (looked
// for before the last marker), else at the front.
std::size_t FindToolbarInsertPos(std::span<const std::uint8_t> layout, std::span<const ToolbarControl> controls,
                                 std::size_t button);

// Separators as they are; of each button and of the marker the first entry.
std::vector<std::uint8_t> DropRepeatedToolbarEntries(std::span<const std::uint8_t> layout);

// The stored layout made to fit the toolbar: entries of unknown tags, repeated
// buttons and markers after the first are dropped, a marker is appended when
// none was stored and each button the layout lacks is inserted where it
// belongs. An empty layout gives the default one.
std::vector<std::uint8_t> NormalizeToolbarLayout(std::span<const std::uint8_t> stored,
                                                 std::span<const ToolbarControl> controls);

}  // namespace kv
