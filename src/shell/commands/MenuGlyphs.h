#pragma once
// Which picture an owner-drawn menu item shows: a toolbar button's glyph of the
// main, search or user-list window, or one of the menu pictures.
#include <cstdint>
#include <optional>
#include <string_view>

namespace kv {

enum class GlyphSource : std::uint8_t { MainButton, SearchButton, UserListButton, MenuPicture };

struct MenuGlyph {
    GlyphSource source;
    std::string_view name;  // the button's name; for menu pictures "MENUPICT1".."MENUPICT6"
    bool operator==(const MenuGlyph&) const = default;
};

inline constexpr int kRecentFileTag = -17714;

// The glyph of a menu item by its name; a recently-used entry (its Tag) has the
// recently-used row's. Nothing for an item without one.
std::optional<MenuGlyph> FindMenuGlyph(std::string_view itemName, int tag = 0);

}  // namespace kv
