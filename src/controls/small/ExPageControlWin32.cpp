#include "controls/small/ExPageControlWin32.h"

#include "ui/UiErrors.h"

namespace kv::ui {

void TExPageControl::SetStyles(unsigned styles) {
    styles_ = ImpliedTabStyles(styles);
    const TabWindowStyle s = TabStylesToWindowStyle(styles_, false);
    setTabStyles(s.style, s.tabWidth);
}

void TExPageControl::tabsRebuilt() { ApplyTabImages(); }

void TExPageControl::ApplyTabImages() {
    if (!hwnd() || !images()) return;
    const int tabs = static_cast<int>(SendMessageA(hwnd(), TCM_GETITEMCOUNT, 0, 0));
    for (int tab = 0; tab < tabs; ++tab) {
        int image = pageOfTab(tab);
        if (OnGlyphMap) OnGlyphMap(*this, tab, image);
        TCITEMA item{};
        item.mask = TCIF_IMAGE;
        item.iImage = image;
        if (!SendMessageA(hwnd(), TCM_SETITEMA, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item)))
            throw EInvalidOperation("TExPageControl error in setting tab glyph");
    }
}

void TExPageControl::drawTab(const DRAWITEMSTRUCT& d) {
    RECT r = d.rcItem;
    if (static_cast<int>(d.itemID) < 0) {
        FillRect(d.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    const int tab = static_cast<int>(d.itemID);
    const bool selected = (d.itemState & ODS_SELECTED) != 0;
    if (OnDrawItem) {
        OnDrawItem(*this, tab, r, selected, d.hDC);
        return;
    }
    const int page = pageOfTab(tab);
    if (page < 0) return;
    const std::string& caption = pageCaption(page);
    FillRect(d.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(d.hDC, TRANSPARENT);
    SetTextColor(d.hDC, GetSysColor(COLOR_BTNTEXT));
    const int x = selected ? r.left + 6 : r.left + 2;
    const int y = selected ? r.top + 4 : r.top;
    TextOutA(d.hDC, x, y, caption.c_str(), static_cast<int>(caption.size()));
}

LRESULT TExPageControl::reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
    if (msg == WM_DRAWITEM) {
        handled = true;
        drawTab(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
        return TRUE;
    }
    return PageControl::reflected(msg, wp, lp, handled);
}

}  // namespace kv::ui
