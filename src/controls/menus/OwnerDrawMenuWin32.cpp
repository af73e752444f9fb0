#include "controls/menus/OwnerDrawMenuWin32.h"

#include "controls/menus/MenuText.h"
#include "ui/SystemFonts.h"

namespace kv::ui {

namespace {

class ScreenDc {
public:
    ScreenDc() : dc_(CreateCompatibleDC(nullptr)) {}
    ~ScreenDc() { DeleteDC(dc_); }
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

int textWidth(HDC dc, const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

void drawText(HDC dc, const std::string& text, RECT box, bool embossed) {
    UINT flags = DST_PREFIXTEXT | (embossed ? DSS_DISABLED : 0);
    if (!DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(text.c_str()), static_cast<WPARAM>(text.size()),
                    box.left, box.top, box.right - box.left, box.bottom - box.top, flags))
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_SINGLELINE | DT_VCENTER);
}

}  // namespace

HFONT MenuFonts::font(bool bold) const {
    const SystemFonts& fonts = SystemFonts::instance();
    return bold ? fonts.menuBold() : fonts.menu();
}

int MenuTextWidth(HFONT font, const std::string& text) {
    ScreenDc dc;
    HGDIOBJ old = SelectObject(dc.get(), font);
    int width = textWidth(dc.get(), text);
    SelectObject(dc.get(), old);
    return width;
}

bool IsSeparator(const MenuItem& item) { return item.Caption() == "-"; }

void MeasureSeparator(UINT& width, UINT& height) {
    width = 0;
    height = static_cast<UINT>(GetSystemMetrics(SM_CYMENU) / 2);
}

void DefaultMeasureItem(const MenuFonts& fonts, const MenuItem& item, UINT& width, UINT& height) {
    if (IsSeparator(item))
        return MeasureSeparator(width, height);
    HFONT font = fonts.font(item.Default());
    width = static_cast<UINT>(MenuItemWidth(item.Caption(), ShortCutToText(item.ShortCutKey()),
                                            [&](std::string_view s) { return MenuTextWidth(font, std::string(s)); }));
    height = static_cast<UINT>(GetSystemMetrics(SM_CYMENUSIZE));
}

void PaintMenuItem(const MenuFonts& fonts, const MenuItem& item, HDC dc, const RECT& rect, UINT state, int textLeft,
                   int textTop, const std::function<void(COLORREF back, bool enabled)>& background) {
    const bool selected = (state & ODS_SELECTED) != 0;
    const bool disabled = !item.Enabled() || (state & (ODS_DISABLED | ODS_GRAYED)) != 0;
    COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU);
    COLORREF fore = GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    HBRUSH brush = CreateSolidBrush(IsSeparator(item) ? GetSysColor(COLOR_MENU) : back);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
    if (IsSeparator(item)) {
        RECT line{rect.left + 1, rect.top + (rect.bottom - rect.top) / 2 - 1, rect.right - 1, rect.bottom};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    if (background)
        background(back, !disabled);

    HGDIOBJ oldFont = SelectObject(dc, fonts.font(item.Default()));
    COLORREF oldColor = SetTextColor(dc, fore);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    RECT box{textLeft, textTop, rect.right, rect.bottom};
    const bool embossed = disabled && !selected;
    drawText(dc, item.Caption(), box, embossed);
    if (std::string shortcut = ShortCutToText(item.ShortCutKey()); !shortcut.empty()) {
        RECT right = box;
        right.left = rect.right - textWidth(dc, shortcut) - 10;
        drawText(dc, shortcut, right, embossed);
    }
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColor);
    SelectObject(dc, oldFont);
}

void DefaultDrawItem(const MenuFonts& fonts, const MenuItem& item, HDC dc, const RECT& rect, UINT state) {
    const int rowHeight = GetSystemMetrics(SM_CYMENUSIZE);
    PaintMenuItem(fonts, item, dc, rect, state, rect.left + 15, rect.top + (rect.bottom - rect.top - rowHeight) / 2);
}

namespace {

template <class M>
void useDefaults(M& menu, const MenuFonts& fonts) {
    menu.onMeasureItem = [&fonts](Menu&, MenuItem& item, UINT& w, UINT& h) { DefaultMeasureItem(fonts, item, w, h); };
    menu.onDrawItem = [&fonts](Menu&, MenuItem& item, HDC dc, const RECT& r, UINT state) {
        DefaultDrawItem(fonts, item, dc, r, state);
    };
    menu.setOwnerDraw(true);
}

}  // namespace

TODMainMenu::TODMainMenu() { useDefaults(*this, fonts_); }

TODPopupMenu::TODPopupMenu() { useDefaults(*this, fonts_); }

}  // namespace kv::ui
