#include "ui/CheckListBox.h"

#include <algorithm>
#include <utility>

#include "ui/Canvas.h"

namespace kv::ui {

namespace {
constexpr int kBoxSize = 13;
}

CheckListBox::CheckListBox() {
    style_ |= WS_TABSTOP | WS_VSCROLL;
    exStyle_ |= WS_EX_CLIENTEDGE;
}

void CheckListBox::createParams(CreateArgs& args) {
    Control::createParams(args);
    args.className = "LISTBOX";
    // Strings stay in the control so typing a letter still finds an item.
    args.style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
}

void CheckListBox::createWnd() {
    Control::createWnd();
    updateItemHeight();
    fill();
    SendMessageA(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(index_), 0);
}

void CheckListBox::destroyWnd() {
    index_ = itemIndex();
    Control::destroyWnd();
}

void CheckListBox::fill() {
    for (const Item& i : items_) SendMessageA(hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(i.text.c_str()));
}

// The measuring message comes while the window is created, before this object
// sees its messages, so the height is set afterwards and on every font change.
void CheckListBox::updateItemHeight() {
    HDC dc = GetDC(hwnd());
    HGDIOBJ old = SelectObject(dc, font());
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(hwnd(), dc);
    int h = std::max<int>(tm.tmHeight + 2, kBoxSize + 2);
    SendMessageA(hwnd(), LB_SETITEMHEIGHT, 0, h);
}

void CheckListBox::setItems(const std::vector<std::string>& texts) {
    items_.clear();
    for (const auto& t : texts) items_.push_back({t});
    index_ = -1;
    if (!hwnd()) return;
    SendMessageA(hwnd(), LB_RESETCONTENT, 0, 0);
    fill();
}

int CheckListBox::add(const std::string& text, std::intptr_t data) {
    items_.push_back({text, CheckState::Unchecked, data});
    if (hwnd()) SendMessageA(hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return count() - 1;
}

void CheckListBox::clear() { setItems({}); }

void CheckListBox::exchange(int a, int b) {
    if (a == b) return;
    std::swap(items_.at(static_cast<size_t>(a)), items_.at(static_cast<size_t>(b)));
    if (!hwnd()) return;
    int selected = itemIndex();
    for (int i : {a, b}) {
        SendMessageA(hwnd(), LB_DELETESTRING, static_cast<WPARAM>(i), 0);
        SendMessageA(hwnd(), LB_INSERTSTRING, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(items_[static_cast<size_t>(i)].text.c_str()));
    }
    SendMessageA(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void CheckListBox::setState(int index, CheckState state) {
    items_.at(static_cast<size_t>(index)).state = state;
    repaint(index);
}

void CheckListBox::setChecked(int index, bool checked) {
    setState(index, checked ? CheckState::Checked : CheckState::Unchecked);
}

void CheckListBox::setItemIndex(int index) {
    index_ = index;
    if (hwnd()) SendMessageA(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int CheckListBox::itemIndex() const {
    return hwnd() ? static_cast<int>(SendMessageA(hwnd(), LB_GETCURSEL, 0, 0)) : index_;
}

void CheckListBox::repaint(int index) {
    RECT r{};
    if (hwnd() && SendMessageA(hwnd(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)) != LB_ERR)
        InvalidateRect(hwnd(), &r, FALSE);
}

void CheckListBox::toggle(int index) {
    if (index < 0 || index >= count() || !enabled()) return;
    CheckState& s = items_[static_cast<size_t>(index)].state;
    switch (s) {
    case CheckState::Unchecked: s = allowGrayed_ ? CheckState::Grayed : CheckState::Checked; break;
    case CheckState::Grayed: s = CheckState::Checked; break;
    case CheckState::Checked: s = CheckState::Unchecked; break;
    }
    repaint(index);
    if (onClickCheck) onClickCheck(*this, index);
}

void CheckListBox::drawItem(const DRAWITEMSTRUCT& d) {
    if (d.itemID == static_cast<UINT>(-1) || d.itemID >= items_.size()) {
        if (d.itemState & ODS_FOCUS) DrawFocusRect(d.hDC, &d.rcItem);
        return;
    }
    const Item& item = items_[d.itemID];
    bool selected = d.itemState & ODS_SELECTED;
    bool disabled = (d.itemState & ODS_DISABLED) || !enabled();
    Canvas canvas(d.hDC);

    RECT box = d.rcItem;
    box.right = box.left + kCheckWidth;
    canvas.setBrushColor(GetSysColor(COLOR_WINDOW));
    canvas.fillRect(box);
    RECT frame{box.left + 2, box.top + (box.bottom - box.top - kBoxSize) / 2, 0, 0};
    frame.right = frame.left + kBoxSize;
    frame.bottom = frame.top + kBoxSize;
    UINT look = DFCS_BUTTONCHECK;
    if (item.state == CheckState::Checked) look |= DFCS_CHECKED;
    if (item.state == CheckState::Grayed) look = DFCS_BUTTON3STATE | DFCS_CHECKED;
    if (disabled) look |= DFCS_INACTIVE;
    canvas.drawFrameControl(frame, DFC_BUTTON, look);

    RECT text = d.rcItem;
    text.left = box.right;
    canvas.setBrushColor(GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    canvas.fillRect(text);
    canvas.setTextColor(GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetBkMode(d.hDC, TRANSPARENT);
    canvas.setFont(font());
    RECT inner = text;
    inner.left += 2;
    canvas.drawText(item.text, inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (d.itemState & ODS_FOCUS) canvas.drawFocusRect(text);
}

LRESULT CheckListBox::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        LRESULT r = Control::wndProc(msg, wp, lp);
        int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
        LRESULT hit = SendMessageA(hwnd(), LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
        if (HIWORD(hit) == 0 && x >= 0 && x < kCheckWidth) toggle(LOWORD(hit));
        return r;
    }
    case WM_CHAR:
        // The space bar is the check's key, not a letter to search for; a key
        // handler sees it first and may swallow it.
        if (wp == ' ') {
            char key = ' ';
            if (onKeyPress) onKeyPress(*this, key);
            if (key == ' ') toggle(static_cast<int>(SendMessageA(hwnd(), LB_GETCARETINDEX, 0, 0)));
            return 0;
        }
        break;
    case WM_SETFONT: {
        LRESULT r = Control::wndProc(msg, wp, lp);
        updateItemHeight();
        return r;
    }
    }
    return Control::wndProc(msg, wp, lp);
}

LRESULT CheckListBox::reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
    if (msg == WM_DRAWITEM) {
        handled = true;
        drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
        return TRUE;
    }
    if (msg == WM_COMMAND && HIWORD(wp) == LBN_SELCHANGE) {
        handled = true;
        if (onClick) onClick(*this);
    }
    return Control::reflected(msg, wp, lp, handled);
}

}  // namespace kv::ui
