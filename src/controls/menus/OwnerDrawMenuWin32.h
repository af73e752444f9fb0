#pragma once
// Owner-drawn menus: every item drawn in the system menu font, default items
// bold, shortcuts right-aligned, in the colours of the system menu scheme. The
// menu's measure and draw events may be replaced (the main window draws glyphs).
#include <windows.h>

#include <functional>

#include "ui/Menu.h"

namespace kv::ui {

using TODMenuItem = MenuItem;

// The system menu font and its bold form, as the system has them now (the
// program's system fonts follow a change of the settings).
class MenuFonts {
public:
    HFONT font(bool bold) const;
};

// Text width on a screen-compatible memory DC in the given font.
int MenuTextWidth(HFONT font, const std::string& text);

// Fills the item in the menu or highlight colour, lets `background` draw on
// it, then draws the caption from (textLeft, textTop) and the shortcut 10
// pixels from the right, embossed when disabled and not selected.
void PaintMenuItem(const MenuFonts& fonts, const MenuItem& item, HDC dc, const RECT& rect, UINT state, int textLeft,
                   int textTop, const std::function<void(COLORREF back, bool enabled)>& background = {});

// Separators ("-") are owner-drawn too: a thin row with an etched line.
bool IsSeparator(const MenuItem& item);
void MeasureSeparator(UINT& width, UINT& height);

// Width: caption as drawn, plus the shortcut + 25, or + 20; height SM_CYMENUSIZE.
void DefaultMeasureItem(const MenuFonts& fonts, const MenuItem& item, UINT& width, UINT& height);
// Fills the rectangle in the menu or highlight colour and draws the caption 15
// pixels in and the shortcut 10 pixels from the right, embossed when disabled.
void DefaultDrawItem(const MenuFonts& fonts, const MenuItem& item, HDC dc, const RECT& rect, UINT state);

class TODMainMenu : public MainMenu {
public:
    TODMainMenu();
    const MenuFonts& fonts() const { return fonts_; }

private:
    MenuFonts fonts_;
};

class TODPopupMenu : public PopupMenu {
public:
    TODPopupMenu();
    const MenuFonts& fonts() const { return fonts_; }

private:
    MenuFonts fonts_;
};

}  // namespace kv::ui
