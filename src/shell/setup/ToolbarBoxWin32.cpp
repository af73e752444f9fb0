#include "shell/setup/ToolbarBoxWin32.h"

#include <algorithm>
#include <utility>

#include "ui/Canvas.h"

namespace kv {

namespace {
constexpr int kButtonRow = 28;
constexpr int kFrame = 25;
constexpr COLORREF kMaroon = RGB(128, 0, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kGray = RGB(128, 128, 128);
}  // namespace

ToolbarBox::ToolbarBox() {
    style_ |= WS_TABSTOP | WS_VSCROLL;
    exStyle_ |= WS_EX_CLIENTEDGE;
}

int ToolbarBox::itemHeight(ToolbarBoxItem::Kind kind, int textHeight) {
    switch (kind) {
    case ToolbarBoxItem::Kind::Separator: return 16;
    case ToolbarBoxItem::Kind::Marker: return textHeight + 1;
    default: return std::max(kButtonRow, textHeight);
    }
}

void ToolbarBox::createParams(ui::CreateArgs& args) {
    Control::createParams(args);
    args.className = "LISTBOX";
    args.style |= LBS_OWNERDRAWVARIABLE | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
}

void ToolbarBox::createWnd() {
    Control::createWnd();
    fill();
}

int ToolbarBox::textHeight() const {
    HDC dc = GetDC(hwnd());
    HGDIOBJ old = SelectObject(dc, font());
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(hwnd(), dc);
    return tm.tmHeight;
}

void ToolbarBox::fill() {
    if (!hwnd())
        return;
    SendMessageA(hwnd(), WM_SETREDRAW, FALSE, 0);
    SendMessageA(hwnd(), LB_RESETCONTENT, 0, 0);
    const int text = textHeight();
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const auto at = SendMessageA(hwnd(), LB_ADDSTRING, 0, static_cast<LPARAM>(i));
        SendMessageA(hwnd(), LB_SETITEMHEIGHT, static_cast<WPARAM>(at), itemHeight(items_[i].kind, text));
    }
    SendMessageA(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(index_), 0);
    SendMessageA(hwnd(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void ToolbarBox::setItems(std::vector<ToolbarBoxItem> items, int select) {
    items_ = std::move(items);
    index_ = select;
    fill();
}

void ToolbarBox::setItemIndex(int index) {
    index_ = index;
    if (hwnd())
        SendMessageA(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int ToolbarBox::itemIndex() const {
    return hwnd() ? static_cast<int>(SendMessageA(hwnd(), LB_GETCURSEL, 0, 0)) : index_;
}

void ToolbarBox::setPending(int index) {
    pending_ = index;
    if (hwnd())
        InvalidateRect(hwnd(), nullptr, TRUE);
}

void ToolbarBox::drawItem(const DRAWITEMSTRUCT& d) {
    if (d.itemID == static_cast<UINT>(-1) || d.itemID >= items_.size())
        return;
    const ToolbarBoxItem& item = items_[d.itemID];
    const bool selected = (d.itemState & ODS_SELECTED) != 0;
    ui::Canvas canvas(d.hDC);
    RECT r = d.rcItem;
    canvas.setBrushColor(GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    canvas.fillRect(r);
    SetBkMode(d.hDC, TRANSPARENT);
    switch (item.kind) {
    case ToolbarBoxItem::Kind::Separator: {
        RECT line{r.left + 4, r.top + 7, r.right - 4, r.top + 10};
        canvas.drawEdge(line, EDGE_ETCHED, BF_TOP);
        break;
    }
    case ToolbarBoxItem::Kind::Marker: {
        canvas.setBrushColor(kGray);
        canvas.fillRect(r);
        LOGFONTA lf{};
        GetObjectA(font() ? font() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), sizeof lf, &lf);
        lf.lfWeight = FW_BOLD;
        ui::GdiObject<HFONT> bold(CreateFontIndirectA(&lf));
        canvas.setFont(bold.get());
        canvas.setTextColor(kYellow);
        canvas.drawText("Unused Buttons", r, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
        break;
    }
    case ToolbarBoxItem::Kind::Button: {
        const bool pending = static_cast<int>(d.itemID) == pending_;
        RECT frame{r.left + 2, r.top + 2, r.left + 2 + kFrame, r.top + 2 + kFrame};
        canvas.setBrushColor(GetSysColor(COLOR_BTNFACE));
        canvas.fillRect(frame);
        canvas.drawEdge(frame, pending ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        if (item.glyph) {
            BITMAP bm{};
            GetObjectA(item.glyph, sizeof bm, &bm);
            // A strip of pictures: the first one.
            const int width = bm.bmWidth >= 20 ? bm.bmWidth / 2 : bm.bmWidth;
            canvas.draw(r.left + 4 + (pending ? 1 : 0), r.top + 4 + (pending ? 1 : 0), item.glyph,
                        RECT{0, 0, width, bm.bmHeight}, true);
        }
        canvas.setFont(font());
        canvas.setTextColor(pending    ? kMaroon
                            : selected ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                       : GetSysColor(COLOR_WINDOWTEXT));
        RECT text{r.left + 30, r.top, r.right, r.top + kButtonRow};
        canvas.drawText(item.hint, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        break;
    }
    }
    if (d.itemState & ODS_FOCUS)
        canvas.drawFocusRect(r);
}

LRESULT ToolbarBox::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (pending_ >= 0) {
        if (msg == WM_LBUTTONDOWN) {
            const LRESULT hit = SendMessageA(hwnd(), LB_ITEMFROMPOINT, 0, lp);
            if (HIWORD(hit) == 0 && onPlace)
                onPlace(*this, LOWORD(hit));
            return 0;
        }
        if (msg == WM_CHAR && wp == ' ') {
            if (onPlace)
                onPlace(*this, itemIndex());
            return 0;
        }
    }
    return Control::wndProc(msg, wp, lp);
}

LRESULT ToolbarBox::reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
    if (msg == WM_DRAWITEM) {
        handled = true;
        drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
        return TRUE;
    }
    if (msg == WM_MEASUREITEM) {
        handled = true;
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        if (m->itemID < items_.size())
            m->itemHeight = static_cast<UINT>(itemHeight(items_[m->itemID].kind, 16));
        return TRUE;
    }
    if (msg == WM_COMMAND && HIWORD(wp) == LBN_SELCHANGE) {
        handled = true;
        if (onSelChange)
            onSelChange(*this);
        return 0;
    }
    return Control::reflected(msg, wp, lp, handled);
}

}  // namespace kv
