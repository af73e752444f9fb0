#include "controls/menus/GlyphMenuItemsWin32.h"

#include <algorithm>

#include "controls/menus/MenuText.h"
#include "ui/Canvas.h"

namespace kv::ui {

namespace {

constexpr int kMinimumHeight = 18;
constexpr int kGlyphLeft = 2;
constexpr int kGlyphColumn = 20;
constexpr int kCaptionGap = 5;

// The chosen image without its see-through colour: its own bottom-left pixel's.
void drawGlyph(HDC dc, const MenuGlyphImage& glyph, bool enabled, const RECT& rect) {
    const int w = glyph.width / glyph.images();
    const int h = glyph.height;
    const int source = enabled || glyph.images() == 1 ? 0 : w;
    const int top = rect.top + (rect.bottom - rect.top - h) / 2;
    Canvas(dc).drawKeyed(rect.left + kGlyphLeft, top, glyph.bitmap, RECT{source, 0, source + w, h},
                         bitmapPixel(glyph.bitmap, source, h - 1));
}

// The system draws no check mark on an owner-drawn item: a checked item's
// glyph sits in a sunken frame, one without a glyph shows a tick (a dot for a
// radio item) in the glyph column.
void drawCheck(HDC dc, const MenuItem& item, const RECT& rect, COLORREF ink, const std::optional<MenuGlyphImage>& glyph) {
    if (glyph && glyph->bitmap) {
        const int w = glyph->width / glyph->images();
        const int top = rect.top + (rect.bottom - rect.top - glyph->height) / 2;
        RECT frame{rect.left + kGlyphLeft - 1, top - 1, rect.left + kGlyphLeft + w + 1, top + glyph->height + 1};
        DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
        return;
    }
    const int x = rect.left + kGlyphLeft + 3;
    const int y = rect.top + (rect.bottom - rect.top) / 2;
    HPEN pen = CreatePen(PS_SOLID, 1, ink);
    HBRUSH brush = CreateSolidBrush(ink);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    if (item.RadioItem) {
        Ellipse(dc, x + 2, y - 3, x + 8, y + 3);
    } else {
        for (int thick = 0; thick < 3; ++thick) {
            const POINT tick[] = {{x, y - 1 + thick}, {x + 3, y + 2 + thick}, {x + 10, y - 5 + thick}};
            Polyline(dc, tick, 3);
        }
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

// Where a line of the item's font sits centred in rect.
int centredTextTop(const MenuFonts& fonts, const MenuItem& item, HDC dc, const RECT& rect) {
    HGDIOBJ old = SelectObject(dc, fonts.font(item.Default()));
    SIZE extent{};
    GetTextExtentPoint32A(dc, "X", 1, &extent);
    SelectObject(dc, old);
    return rect.top + (rect.bottom - rect.top - extent.cy) / 2;
}

}  // namespace

bool IsMenuBarTitle(Menu& menu, const MenuItem& item) {
    return dynamic_cast<MainMenu*>(&menu) && item.Parent() == &menu.Items();
}

void MeasureBarTitle(const MenuFonts& fonts, const MenuItem& item, UINT& width, UINT& height) {
    HFONT font = fonts.font(item.Default());
    width = static_cast<UINT>(
        MenuItemWidth(item.Caption(), "", [&](std::string_view s) { return MenuTextWidth(font, std::string(s)); }));
    height = static_cast<UINT>(GetSystemMetrics(SM_CYMENU));
}

void DrawBarTitle(const MenuFonts& fonts, const MenuItem& item, HDC dc, const RECT& rect, UINT state) {
    const int text = MenuTextWidth(fonts.font(item.Default()), StripMnemonic(item.Caption()));
    PaintMenuItem(fonts, item, dc, rect, state, rect.left + (rect.right - rect.left - text) / 2,
                  centredTextTop(fonts, item, dc, rect));
}

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
    PaintMenuItem(fonts, item, dc, rect, state, rect.left + kGlyphColumn + kCaptionGap,
                  centredTextTop(fonts, item, dc, rect), [&](COLORREF, bool enabled) {
                      if (glyph && glyph->bitmap)
                          drawGlyph(dc, *glyph, enabled, rect);
                      if (item.Checked() || (state & ODS_CHECKED)) {
                          const int ink = !enabled ? COLOR_GRAYTEXT
                                          : (state & ODS_SELECTED) ? COLOR_HIGHLIGHTTEXT
                                                                   : COLOR_MENUTEXT;
                          drawCheck(dc, item, rect, GetSysColor(ink), glyph);
                      }
                  });
}

void UseGlyphItems(Menu& menu, const MenuFonts& fonts, GlyphLookup lookup) {
    menu.onMeasureItem = [&fonts](Menu& sender, MenuItem& item, UINT& w, UINT& h) {
        if (IsMenuBarTitle(sender, item))
            MeasureBarTitle(fonts, item, w, h);
        else
            MeasureGlyphItem(fonts, item, w, h);
    };
    menu.onDrawItem = [&fonts, lookup = std::move(lookup)](Menu& sender, MenuItem& item, HDC dc, const RECT& r,
                                                           UINT state) {
        if (IsMenuBarTitle(sender, item))
            DrawBarTitle(fonts, item, dc, r, state);
        else
            DrawGlyphItem(fonts, item, dc, r, state, lookup ? lookup(item) : std::nullopt);
    };
    menu.setOwnerDraw(true);
}

}  // namespace kv::ui
