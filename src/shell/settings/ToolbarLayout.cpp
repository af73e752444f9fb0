#include "shell/settings/ToolbarLayout.h"

#include <array>
#include <optional>
#include <vector>

namespace kv {

namespace {

// A button whose tag reads as a separator or the marker cannot be stored.
std::optional<std::uint8_t> EntryOf(const ToolbarControl& control) {
    const auto entry = static_cast<std::uint8_t>(control.tag);
    if (!control.isButton || entry == kToolbarSeparator || entry == kToolbarMarker) return std::nullopt;
    return entry;
}

bool HasButton(std::span<const ToolbarControl> controls, std::uint8_t entry) {
    for (const ToolbarControl& c : controls)
        if (EntryOf(c) == entry) return true;
    return false;
}

}  // namespace

std::vector<std::uint8_t> DefaultToolbarLayout(std::span<const ToolbarControl> controls) {
    std::vector<std::uint8_t> layout;
    for (const ToolbarControl& c : controls) {
        if (!c.isButton)
            layout.push_back(kToolbarSeparator);
        else if (auto entry = EntryOf(c))
            layout.push_back(*entry);
    }
    layout.push_back(kToolbarMarker);
    return layout;
}

std::size_t FindToolbarInsertPos(std::span<const std::uint8_t> layout, std::span<const ToolbarControl> controls,
                                 std::size_t button) {
    std::size_t end = layout.size();  // entries searched: [0, end)
    for (std::size_t i = layout.size(); i-- > 0;)
        if (layout[i] == kToolbarMarker) {
            end = i;
            break;
        }
    int x = controls[button].left;
    for (;;) {
        const ToolbarControl* left = nullptr;
        for (const ToolbarControl& c : controls)
            if (c.left < x && (!left || c.left > left->left)) left = &c;
        if (!left) return 0;
        if (auto entry = EntryOf(*left))
            for (std::size_t j = end; j-- > 0;)
                if (layout[j] == *entry) return j + 1;
        x = left->left;
    }
}

std::vector<std::uint8_t> DropRepeatedToolbarEntries(std::span<const std::uint8_t> layout) {
    std::vector<std::uint8_t> kept;
    std::array<bool, 256> present{};
    for (std::uint8_t entry : layout) {
        if (entry != kToolbarSeparator && present[entry]) continue;
        present[entry] = true;
        kept.push_back(entry);
    }
    return kept;
}

std::vector<std::uint8_t> NormalizeToolbarLayout(std::span<const std::uint8_t> stored,
                                                 std::span<const ToolbarControl> controls) {
    if (stored.empty()) return DefaultToolbarLayout(controls);
    std::vector<std::uint8_t> layout = DropRepeatedToolbarEntries(stored);
    std::erase_if(layout, [&](std::uint8_t entry) {
        return entry != kToolbarSeparator && entry != kToolbarMarker && !HasButton(controls, entry);
    });
    std::array<bool, 256> present{};
    for (std::uint8_t entry : layout) present[entry] = true;
    if (!present[kToolbarMarker]) layout.push_back(kToolbarMarker);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        auto entry = EntryOf(controls[i]);
        if (!entry || present[*entry]) continue;
        present[*entry] = true;
        const std::size_t pos = FindToolbarInsertPos(layout, controls, i);
        layout.insert(layout.begin() + static_cast<std::ptrdiff_t>(pos), *entry);
    }
    return layout;
}

}  // namespace kv
