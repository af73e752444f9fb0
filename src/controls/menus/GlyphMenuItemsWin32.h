#pragma once
// Menu items drawn with a glyph in a column at their left, as the main
// window's menus show the pictures of its toolbar buttons.
#include <windows.h>

#include <functional>
#include <optional>

#include "controls/menus/OwnerDrawMenuWin32.h"

namespace kv::ui {

// A toolbar button's glyph: one image, or at least 20 pixels wide two side by
// side (enabled, disabled). The bottom-left pixel's colour is transparent.
struct MenuGlyphImage {
    HBITMAP bitmap = nullptr;
    int width = 0;
    int height = 0;
    int images() const { return width >= 20 ? 2 : 1; }
};

// The glyph of an item; nothing draws the item without one.
using GlyphLookup = std::function<std::optional<MenuGlyphImage>(const MenuItem& item)>;

// At least 18 high (SM_CYMENU); the caption as drawn + 15, then the shortcut + 25 or + 20.
void MeasureGlyphItem(const MenuFonts& fonts, const MenuItem& item, UINT& width, UINT& height);
void DrawGlyphItem(const MenuFonts& fonts, const MenuItem& item, HDC dc, const RECT& rect, UINT state,
                   const std::optional<MenuGlyphImage>& glyph);
// The titles of a menu bar have no glyph column: the caption + 20, drawn
// centred in the item.
bool IsMenuBarTitle(Menu& menu, const MenuItem& item);
void MeasureBarTitle(const MenuFonts& fonts, const MenuItem& item, UINT& width, UINT& height);
void DrawBarTitle(const MenuFonts& fonts, const MenuItem& item, HDC dc, const RECT& rect, UINT state);
// Makes the menu measure and draw its items this way, its bar titles as above.
void UseGlyphItems(Menu& menu, const MenuFonts& fonts, GlyphLookup lookup);

}  // namespace kv::ui
