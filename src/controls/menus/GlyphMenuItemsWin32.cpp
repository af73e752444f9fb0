#include "controls/menus/GlyphMenuItemsWin32.h"

#include <algorithm>

#include "controls/menus/MenuText.h"

namespace kv::ui {

namespace {

constexpr int kMinimumHeight = 18;
constexpr int kGlyphLeft = 2;
constexpr int kGlyphColumn = 20;
constexpr int kCaptionGap = 5;

// The chosen image copied onto the menu's background, then drawn without its
// transparent colour.
void drawGlyph(HDC dc, const MenuGlyphImage& glyph, bool enabled, const RECT& rect, COLORREF background) {
    const int w = glyph.width / glyph.images();
    const int h = glyph.height;
    const int source = enabled || glyph.images() == 1 ? 0 : w;
    HDC glyphDc = CreateCompatibleDC(dc);
    HGDIOBJ oldGlyph = SelectObject(glyphDc, glyph.bitmap);
    const COLORREF transparent = GetPixel(glyphDc, source, h - 1);
    HDC work = CreateCompatibleDC(dc);
    HBITMAP workBitmap = CreateCompatibleBitmap(dc, w, h);
    HGDIOBJ oldWork = SelectObject(work, workBitmap);
    RECT all{0, 0, w, h};
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(work, &all, brush);
    DeleteObject(brush);
    TransparentBlt(work, 0, 0, w, h, glyphDc, source, 0, w, h, transparent);
    const int top = rect.top + (rect.bottom - rect.top - h) / 2;
    BitBlt(dc, rect.left + kGlyphLeft, top, w, h, work, 0, 0, SRCCOPY);
    SelectObject(work, oldWork);
    DeleteObject(workBitmap);
    DeleteDC(work);
    SelectObject(glyphDc, oldGlyph);
    DeleteDC(glyphDc);
}

}  // namespace

void MeasureGlyphItem(const MenuFonts& fonts, const MenuItem& item, UINT& width, UINT& height) {
    if (IsSeparator(item))
        return MeasureSeparator(width, height);
    HFONT font = fonts.font(item.Default());
    width = static_cast<UINT>(MenuItemWidth(item.Caption(), ShortCutToText(item.ShortCutKey()),
                                            [&](std::string_view s) { return MenuTextWidth(font, std::string(s)); },
                                            15));
    height = static_cast<UINT>(std::max(kMinimumHeight, GetSystemMetrics(SM_CYMENU)));
}

void DrawGlyphItem(const MenuFonts& fonts, const MenuItem& item, HDC dc, const RECT& rect, UINT state,
                   const std::optional<MenuGlyphImage>& glyph) {
    HGDIOBJ old = SelectObject(dc, fonts.font(item.Default()));
    SIZE extent{};
    GetTextExtentPoint32A(dc, "X", 1, &extent);
    SelectObject(dc, old);
    PaintMenuItem(fonts, item, dc, rect, state, rect.left + kGlyphColumn + kCaptionGap,
                  rect.top + (rect.bottom - rect.top - extent.cy) / 2, [&](COLORREF back, bool enabled) {
                      if (glyph && glyph->bitmap)
                          drawGlyph(dc, *glyph, enabled, rect, back);
                  });
}

void UseGlyphItems(Menu& menu, const MenuFonts& fonts, GlyphLookup lookup) {
    menu.onMeasureItem = [&fonts](Menu&, MenuItem& item, UINT& w, UINT& h) { MeasureGlyphItem(fonts, item, w, h); };
    menu.onDrawItem = [&fonts, lookup = std::move(lookup)](Menu&, MenuItem& item, HDC dc, const RECT& r, UINT state) {
        DrawGlyphItem(fonts, item, dc, r, state, lookup ? lookup(item) : std::nullopt);
    };
    menu.setOwnerDraw(true);
}

}  // namespace kv::ui
