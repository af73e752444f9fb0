#include "controls/small/ColorComboWin32.h"

#include "controls/small/SmallControlRules.h"
#include "ui/Canvas.h"

namespace kv::ui {

TColorCombo::TColorCombo() : ComboBox(true) {
    std::vector<std::string> names;
    for (const BasicColor& c : kBasicColors) names.emplace_back(c.name);
    setItems(names);
    setBounds(0, 0, 145, 200);
}

void TColorCombo::createParams(CreateArgs& args) {
    ComboBox::createParams(args);
    args.style |= CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
}

void TColorCombo::createWnd() {
    ComboBox::createWnd();
    SendMessageA(hwnd(), CB_SETITEMHEIGHT, 0, 16);
}

COLORREF TColorCombo::GetSelectedColor() const {
    const int i = itemIndex();
    if (i < 0 || i >= static_cast<int>(kBasicColors.size())) return 0;
    return kBasicColors[static_cast<std::size_t>(i)].rgb;
}

void TColorCombo::SetSelectedColor(COLORREF colour) {
    if (colour & 0x80000000u) colour = GetSysColor(static_cast<int>(colour & 0xFF));
    setItemIndex(FindBasicColor(colour));
}

void TColorCombo::drawItem(const DRAWITEMSTRUCT& d) {
    const bool selected = (d.itemState & ODS_SELECTED) != 0;
    RECT row = d.rcItem;
    FillRect(d.hDC, &row, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (d.itemID >= kBasicColors.size()) return;
    const BasicColor& c = kBasicColors[d.itemID];
    RECT swatch{row.left + 2, row.top + 2, row.left + 18, row.bottom - 2};
    GdiObject<HBRUSH> fill(CreateSolidBrush(c.rgb));
    FillRect(d.hDC, &swatch, fill.get());
    FrameRect(d.hDC, &swatch, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RECT text{swatch.left + 20, row.top, row.right, row.bottom};
    SetBkMode(d.hDC, TRANSPARENT);
    SetTextColor(d.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextA(d.hDC, c.name.data(), static_cast<int>(c.name.size()), &text, DT_SINGLELINE | DT_VCENTER);
}

LRESULT TColorCombo::reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
    if (msg == WM_DRAWITEM) {
        handled = true;
        drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
        return TRUE;
    }
    if (msg == WM_MEASUREITEM) {
        handled = true;
        reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemHeight = 16;
        return TRUE;
    }
    return ComboBox::reflected(msg, wp, lp, handled);
}

}  // namespace kv::ui
